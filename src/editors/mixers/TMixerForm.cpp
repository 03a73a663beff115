#include "editors/mixers/TMixerForm.h"

#include "contraptions/VTContraption.h"
#include "params/SGPropertyTable.h"
#include "params/SGSignalProcessor.h"

namespace {

int countGains(VTContraption& contraption) {
    SGPropertyTable& table = contraption.processor().propertyTable();
    int n = 0;
    while (table.indexOf("Gain_" + std::to_string(n)) >= 0) ++n;
    return n;
}

}  // namespace

TMixerForm::TMixerForm(VTContraption& contraption)
    : TContraptionForm(contraption), channels_(countGains(contraption)) {}

TMixerForm::HostedKnob* TMixerForm::addKnob(int x, int y, const std::string& property) {
    auto* knob = new HostedKnob(clientArea());
    knob->setGeometry(x, y, kKnobSize, kKnobSize);
    bindKnob(knob->control(), property);
    return knob;
}
