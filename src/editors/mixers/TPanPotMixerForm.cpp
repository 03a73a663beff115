#include "editors/mixers/TPanPotMixerForm.h"

#include <QLabel>

namespace {

constexpr int kPanTop = 8;
constexpr int kGainTop = kPanTop + TMixerForm::kKnobSize + 8;
constexpr int kLabelTop = kGainTop + TMixerForm::kKnobSize + 2;
constexpr int kMasterLeft = 8;
constexpr int kRowLabelLeft = 54;
constexpr int kFirstChannelLeft = 92;

}  // namespace

TPanPotMixerForm::TPanPotMixerForm(VTContraption& contraption) : TMixerForm(contraption) {
    setWindowTitle("Pan-Pot Mixer");
    const int masterTop = (kPanTop + kGainTop) / 2;
    setMasterKnob(addKnob(kMasterLeft, masterTop, "MasterGain"));
    addLabel("Master", kMasterLeft - 4, masterTop + kKnobSize + 2, kKnobSize + 8, Qt::AlignHCenter);
    addLabel("Pan:", kRowLabelLeft, kPanTop + 10);
    addLabel("Gain:", kRowLabelLeft, kGainTop + 10);
    for (int n = 0; n < channelCount(); ++n) {
        const int left = kFirstChannelLeft + kChannelStep * n;
        pans_.push_back(addKnob(left, kPanTop, "Pan_" + std::to_string(n)));
        gains_.push_back(addKnob(left, kGainTop, "Gain_" + std::to_string(n)));
        labels_.push_back(
            addLabel(QString::number(n + 1), left - 4, kLabelTop, kKnobSize + 8, Qt::AlignRight));
    }
    const int lastLeft = kFirstChannelLeft + kChannelStep * std::max(0, channelCount() - 1);
    setClientSize(lastLeft + kChannelStep, kLabelTop + 18);
}
