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

void VTQtEditorFactory::addFormForCategory(const std::string& category, FormMaker make) {
    categoryForms_[category] = std::move(make);
}

const VTQtEditorFactory::FormMaker* VTQtEditorFactory::formFor(
    const VTContraptionMaker& maker) const {
    if (auto it = forms_.find(maker.name()); it != forms_.end()) return &it->second;
    if (auto it = categoryForms_.find(maker.category()); it != categoryForms_.end())
        return &it->second;
    return nullptr;
}

std::unique_ptr<VTEditorWindow> VTQtEditorFactory::createEditor(const VTContraptionMaker& maker,
                                                                VTContraption& contraption) {
    if (!pane_) return nullptr;
    const FormMaker* make = formFor(maker);
    std::unique_ptr<TContraptionForm> form =
        make ? (*make)(contraption) : std::make_unique<TContraptionForm>(contraption);
    if (form) form->attachToPane(pane_.data());
    return form;
}
