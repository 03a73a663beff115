#include "editors/VTEditorPreview.h"

#include <QHBoxLayout>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "ui/qt/KDQtBrickTile.h"

VTEditorPreview::VTEditorPreview(QWidget* parent)
    : QWidget(parent), pane_(new VTPropertiesPane), factory_(*pane_) {
    setWindowTitle("Vantrel editors");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane_);
    pane_->SetTile(KDQtBrickTile());
    pane_->SetTileShiftPercent(50.0f);
    factory_.install();
    KDTextClipboard::install(&clipboard_);
    resize(420, 320);
}

VTEditorPreview::~VTEditorPreview() {
    while (!contraptions_.empty()) contraptions_.pop_back();
    KDTextClipboard::install(nullptr);
}

VTContraption* VTEditorPreview::addEditor(const std::string& makerName, int left, int top) {
    std::unique_ptr<VTContraption> c =
        VTContraptionFactory::instance().createContraption(makerName, "");
    if (!c) return nullptr;
    c->formState().setEditorPosition(left, top);
    c->showEditor();
    contraptions_.push_back(std::move(c));
    return contraptions_.back().get();
}
