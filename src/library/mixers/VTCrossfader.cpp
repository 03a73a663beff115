#include "library/mixers/VTCrossfader.h"

#include "library/VTInlets.h"
#include "params/SGPropertyUnits.h"

VTCrossfader::VTCrossfader() : SGSignalProcessor(4, 2) {}

SGPropertyTable& VTCrossfader::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        add(table_, masterGain, "MasterGain", SGGainUnits::instance(), 0.0, 1.5);
        add(table_, trimA, "TrimA", SGGainUnits::instance(), 0.0, 1.5);
        add(table_, trimB, "TrimB", SGGainUnits::instance(), 0.0, 1.5);
        add(table_, fade, "Fade", SGAbstractUnits::instance(), 0.0, 1.0);
    });
    return table_.bind(info);
}

void VTCrossfader::process() {
    // An unconnected inlet of a side takes the other inlet of that side.
    const SGSignal& a0 = inletSignal(0);
    const SGSignal& a1 = inletSignal(1);
    const SGSignal& b0 = inletSignal(2);
    const SGSignal& b1 = inletSignal(3);
    const SGSignal& aLeft = isConnectedInlet(a0) ? a0 : a1;
    const SGSignal& aRight = isConnectedInlet(a1) ? a1 : a0;
    const SGSignal& bLeft = isConnectedInlet(b0) ? b0 : b1;
    const SGSignal& bRight = isConnectedInlet(b1) ? b1 : b0;

    // Three products a block are cheaper than watching four change bits.
    const double f = fade.value();
    const double gainA = f >= 0.5 ? 2.0 * (1.0 - f) : 1.0;
    const double gainB = f > 0.5 ? 1.0 : 2.0 * f;
    const double master = masterGain.value();

    // Each smoother runs on through the right channel from where the left one ended.
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    smootherA_.setTarget(gainA * trimA.value() * master);
    smootherA_.applyTo(aLeft, left);
    smootherA_.applyTo(aRight, right);
    smootherB_.setTarget(gainB * trimB.value() * master);
    smootherB_.addTo(bLeft, left);
    smootherB_.addTo(bRight, right);
}
