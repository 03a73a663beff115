#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "editors/mixers/TMixerForm.h"

// The mono and the stereo mixer's editor: the master knob, then one gain knob per channel in a
// row, each numbered below. They differ in caption and in how a channel is numbered.
class TChannelMixerForm : public TMixerForm {
public:
    // The text under channel n's knob, and how it is aligned.
    struct ChannelLabels {
        QString master;
        std::function<QString(int)> text;
        Qt::Alignment alignment;
    };

    TChannelMixerForm(VTContraption& contraption, const ChannelLabels& labels);

    // The knob of channel n ("Gain_"n), and the label under it.
    KDDWKnob& Knob(int n) const { return knobs_[n]->control(); }
    QWidget& KnobWidget(int n) const { return *knobs_[n]; }
    QLabel& Label(int n) const { return *labels_[n]; }

private:
    std::vector<HostedKnob*> knobs_;
    std::vector<QLabel*> labels_;
};

// "M2Mixer" ... "M12Mixer": channels numbered 1, 2, 3 ..., the master labelled "M".
class TMonoMixerForm : public TChannelMixerForm {
public:
    explicit TMonoMixerForm(VTContraption& contraption);
};

// "S2Mixer" ... "S12Mixer": each knob is a stereo pair, labelled "1 & 2", "3 & 4" ...
class TStereoMixerForm : public TChannelMixerForm {
public:
    explicit TStereoMixerForm(VTContraption& contraption);
};
