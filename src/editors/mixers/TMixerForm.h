#pragma once

#include <string>
#include <vector>

#include "editors/TContraptionForm.h"
#include "ui/KDDWKnob.h"
#include "ui/qt/KDQtHosted.h"

// What the mixers' editors share: 35-pixel knobs, each bound to one gain or pan property, and the
// channel count read from the properties the mixer has ("Gain_0" ... "Gain_"N-1).
class TMixerForm : public TContraptionForm {
public:
    static constexpr int kKnobSize = 35;
    // Further channels sit this far to the right of the one before.
    static constexpr int kChannelStep = 45;

    explicit TMixerForm(VTContraption& contraption);

    int channelCount() const { return channels_; }
    KDDWKnob& MasterKnob() const { return master_->control(); }
    QWidget& MasterKnobWidget() const { return *master_; }

protected:
    using HostedKnob = KDQtHosted<KDDWKnob>;

    // A knob at (x, y) of the client area bound to a property.
    HostedKnob* addKnob(int x, int y, const std::string& property);
    void setMasterKnob(HostedKnob* knob) { master_ = knob; }

private:
    int channels_;
    HostedKnob* master_ = nullptr;
};
