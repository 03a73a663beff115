#include "editors/VTQtEditorFactory.h"

#include "contraptions/VTContraptionMaker.h"
#include "editors/TContraptionForm.h"
#include "editors/VTFormFamilies.h"

VTQtEditorFactory::VTQtEditorFactory(VTPropertiesPane& pane) : pane_(&pane) {
    registerGeneratorForms(*this);
    registerDeviceForms(*this);
    registerSequencerForms(*this);
    registerSynthesiserForms(*this);
    registerEffectForms(*this);
    registerSpatialiserForms(*this);
    registerFilterForms(*this);
    registerGranulatorForms(*this);
    registerMixerForms(*this);
    registerMatrixForms(*this);
    registerPluginForms(*this);
}

VTQtEditorFactory::~VTQtEditorFactory() {
    if (VTEditorFactory::current() == this) VTEditorFactory::setCurrent(nullptr);
}

void VTQtEditorFactory::install() { VTEditorFactory::setCurrent(this); }

void VTQtEditorFactory::addForm(const std::string& makerName, FormMaker make) {
    forms_[makerName] = std::move(make);
}

std::unique_ptr<VTEditorWindow> VTQtEditorFactory::createEditor(const VTContraptionMaker& maker,
                                                                VTContraption& contraption) {
    if (!pane_) return nullptr;
    auto it = forms_.find(maker.name());
    std::unique_ptr<TContraptionForm> form =
        it != forms_.end() ? it->second(contraption) : std::make_unique<TContraptionForm>(contraption);
    if (form) form->attachToPane(pane_.data());
    return form;
}
