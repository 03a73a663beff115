#include "contraptions/TContraptionFormState.h"

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"

TContraptionFormState::~TContraptionFormState() {
    // The contraption is going away with its window; there is no document change to record.
    form_.reset();
}

void TContraptionFormState::showEditor() {
    if (!form_) {
        // A new window shows the present values; earlier controller moves need no redraw.
        contraption_->staleControls().clear();
        form_ = contraption_->maker().createEditor(*contraption_);
        if (form_) form_->open(contraption_->name(), editorLeft_, editorTop_);
    }
    if (form_) form_->bringIntoView();
}

void TContraptionFormState::closeEditor() {
    if (!form_) return;
    savePosition(*form_);
    form_.reset();
    VTContraptionFactory::instance().notifyModified();
}

void TContraptionFormState::savePosition(const VTEditorWindow& window) {
    editorLeft_ = window.contentLeft();
    editorTop_ = window.contentTop();
}

std::int32_t TContraptionFormState::editorLeft() const {
    return form_ ? form_->contentLeft() : editorLeft_;
}

std::int32_t TContraptionFormState::editorTop() const {
    return form_ ? form_->contentTop() : editorTop_;
}
