#include "editors/mixers/TChannelMixerForm.h"

#include <QLabel>

namespace {

constexpr int kTop = 8;
constexpr int kMasterLeft = 8;
constexpr int kFirstChannelLeft = 58;
constexpr int kLabelTop = kTop + TMixerForm::kKnobSize + 2;

}  // namespace

TChannelMixerForm::TChannelMixerForm(VTContraption& contraption, const ChannelLabels& labels)
    : TMixerForm(contraption) {
    setMasterKnob(addKnob(kMasterLeft, kTop, "MasterGain"));
    addLabel(labels.master, kMasterLeft - 4, kLabelTop, kKnobSize + 8, Qt::AlignHCenter);
    for (int n = 0; n < channelCount(); ++n) {
        const int left = kFirstChannelLeft + kChannelStep * n;
        knobs_.push_back(addKnob(left, kTop, "Gain_" + std::to_string(n)));
        labels_.push_back(
            addLabel(labels.text(n), left - 4, kLabelTop, kKnobSize + 8, labels.alignment));
    }
    const int lastLeft = kFirstChannelLeft + kChannelStep * std::max(0, channelCount() - 1);
    setClientSize(lastLeft + kChannelStep, kLabelTop + 18);
}

TMonoMixerForm::TMonoMixerForm(VTContraption& contraption)
    : TChannelMixerForm(contraption,
                        {"M", [](int n) { return QString::number(n + 1); }, Qt::AlignRight}) {
    setWindowTitle("Mono Mixer");
}

TStereoMixerForm::TStereoMixerForm(VTContraption& contraption)
    : TChannelMixerForm(
          contraption,
          {"Master", [](int n) { return QString("%1 & %2").arg(2 * n + 1).arg(2 * n + 2); },
           Qt::AlignHCenter}) {
    setWindowTitle("SMixer");
}
