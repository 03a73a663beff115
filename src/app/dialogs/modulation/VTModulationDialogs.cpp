#include "app/dialogs/modulation/VTModulationDialogs.h"

#include "app/dialogs/modulation/VTMidiMappingPanel.h"
#include "document/VTDocument.h"

VTModulationDialogs::VTModulationDialogs(QWidget& owner, const VTModulationContext& context)
    : owner_(owner), context_(context) {
    VTParameterDialogs::setCurrent(this);
}

VTModulationDialogs::~VTModulationDialogs() {
    if (VTParameterDialogs::current() == this) VTParameterDialogs::setCurrent(nullptr);
    delete quickMap_.data();
    delete modulation_.data();
}

TConfigAutomationForm& VTModulationDialogs::modulationForm() {
    if (!modulation_) modulation_ = new TConfigAutomationForm(context_, &owner_);
    return *modulation_;
}

TQuickMapMIDIForm& VTModulationDialogs::quickMapForm() {
    if (!quickMap_) quickMap_ = new TQuickMapMIDIForm(context_, &owner_);
    return *quickMap_;
}

void VTModulationDialogs::setupModulation(VTContraption& contraption, int propertyIndex) {
    if (!VTMappedParameter::isListed(contraption, propertyIndex)) {
        showModulation();
        return;
    }
    modulationForm().showFor(VTMappedParameter(contraption, propertyIndex));
}

void VTModulationDialogs::quickMapMidi(VTContraption& contraption, int propertyIndex,
                                       const SGPropertyInfo&) {
    // A parameter without a range has nothing to map.
    if (propertyIndex < 0 || !VTMappedParameter::isListed(contraption, propertyIndex)) return;
    runQuickMap(VTMappedParameter(contraption, propertyIndex));
}

void VTModulationDialogs::showModulation() { modulationForm().showFor(std::nullopt); }

void VTModulationDialogs::showQuickMapForSelection() {
    if (!modulation_) return;
    const std::optional<VTMappedParameter> parameter = modulation_->selectedParameter();
    if (!parameter || !parameter->isLiveIn(context_.document ? context_.document() : nullptr))
        return;
    runQuickMap(*parameter);
}

void VTModulationDialogs::runQuickMap(const VTMappedParameter& parameter) {
    TQuickMapMIDIForm& form = quickMapForm();
    if (form.isVisible()) return;
    // One window learns at a time: the quick-map takes over the server's learn request.
    if (modulation_) modulation_->panel().releaseLearn();
    form.setParameter(parameter);
    form.exec();
}
