#include "library/mixers/VTPanPotMixer.h"

#include "library/VTInlets.h"
#include "params/SGPropertyUnits.h"

VTPanPotMixer::VTPanPotMixer(int channels) : SGSignalProcessor(channels, 2), channels_(channels) {
    for (SGDoubleProperty& p : pans) p.setValue(0.5);
    panTable_.fillPanCurve();
}

SGPropertyTable& VTPanPotMixer::bindTable(SGStaticPropertyTable::ClassInfo& info) {
    info.buildOnce([this](auto& add) {
        add(table_, masterGain, "MasterGain", SGGainUnits::instance(), 0.0, 1.0);
        for (int k = 0; k < channels_; ++k) {
            const std::string n = std::to_string(k);
            add(table_, gains[k], "Gain_" + n, SGGainUnits::instance(), 0.0, 1.0);
            add(table_, pans[k], "Pan_" + n, SGPanningUnits::instance(), 0.0, 1.0);
        }
    });
    return table_.bind(info);
}

void VTPanPotMixer::retarget(int k, bool masterChanged) {
    // A pan change seen in the same block as a gain change stays pending and repeats the same
    // computation next block; the result does not change.
    const bool gainChanged = gains[k].testAndClearChanged();
    const bool panChanged = !gainChanged && pans[k].testAndClearChanged();
    if (!gainChanged && !panChanged && !masterChanged) return;
    const double g = gains[k].value() * masterGain.value();
    const double p = pans[k].value();
    leftRamps_[k].setTarget(pan(p) * g, SGBlockSize);
    rightRamps_[k].setTarget(pan(1.0 - p) * g, SGBlockSize);
}

void VTPanPotMixer::process() {
    const bool masterChanged = masterGain.testAndClearChanged();
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    bool first = true;
    for (int k = 0; k < channels_; ++k) {
        const SGSignal& in = inletSignal(k);
        if (!isConnectedInlet(in)) continue;
        retarget(k, masterChanged);
        if (first) {
            leftRamps_[k].applyTo(in, left);
            rightRamps_[k].applyTo(in, right);
        } else {
            leftRamps_[k].addTo(in, left);
            rightRamps_[k].addTo(in, right);
        }
        first = false;
    }
    if (first) {
        left.fill(0.0f);
        right.fill(0.0f);
    }
}
