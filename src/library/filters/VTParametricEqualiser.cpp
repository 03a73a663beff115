#include "library/filters/VTParametricEqualiser.h"

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"

VTParametricEqualiser::VTParametricEqualiser(int channels) : SGSignalProcessor(channels, channels) {
    vtSetUpDither(dither_);
}

SGPropertyTable& VTParametricEqualiser::propertyTable() {
    // Mono and stereo keep their properties at the same places, so one description serves both.
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* hz = SGFrequencyUnits::instance();
        const SGPropertyUnits* db = SGDecibelUnits::instance();
        add(table_, hsCutoffFrequency, "HSCutoffFrequency", hz, 3000.0, 18000.0);
        add(table_, hsGain, "HSGain", db, -30.0, 30.0);
        add(table_, bp1CenterFrequency, "BP1CenterFrequency", hz, 50.0, 15000.0);
        add(table_, bp1Bandwidth, "BP1Bandwidth", hz, 85.0, 2000.0);
        add(table_, bp1Gain, "BP1Gain", db, -30.0, 30.0);
        add(table_, bp2CenterFrequency, "BP2CenterFrequency", hz, 50.0, 15000.0);
        add(table_, bp2Bandwidth, "BP2Bandwidth", hz, 85.0, 2000.0);
        add(table_, bp2Gain, "BP2Gain", db, -30.0, 30.0);
        add(table_, lsCutoffFrequency, "LSCutoffFrequency", hz, 20.0, 3000.0);
        add(table_, lsGain, "LSGain", db, -30.0, 30.0);
    });
    return table_.bind(info);
}

namespace {

// Tests and clears the bit, and passes the value on when it was set.
template <class Set>
bool takeChange(SGDoubleProperty& property, Set set) {
    if (!property.testAndClearChanged()) return false;
    set(property.value());
    return true;
}

void updatePeak(VTPeakSection& band, SGDoubleProperty& centre, SGDoubleProperty& width,
                SGDoubleProperty& gain) {
    // Every bit is taken, whichever changed: no short cut past a later one.
    bool changed = takeChange(centre, [&](double v) { band.setCentre(v); });
    changed = takeChange(width, [&](double v) { band.setBandwidth(v); }) || changed;
    changed = takeChange(gain, [&](double v) { band.setGain(v); }) || changed;
    if (changed) band.update();
}

}  // namespace

void VTParametricEqualiser::updateCoefficients() {
    bool high = takeChange(hsCutoffFrequency, [this](double v) { highShelf_.setCutoff(v); });
    high = takeChange(hsGain, [this](double v) { highShelf_.setGain(v); }) || high;
    if (high) highShelf_.highShelf();
    updatePeak(band1_, bp1CenterFrequency, bp1Bandwidth, bp1Gain);
    updatePeak(band2_, bp2CenterFrequency, bp2Bandwidth, bp2Gain);
    bool low = takeChange(lsCutoffFrequency, [this](double v) { lowShelf_.setCutoff(v); });
    low = takeChange(lsGain, [this](double v) { lowShelf_.setGain(v); }) || low;
    if (low) lowShelf_.lowShelf();
}

void VTParametricEqualiser::process() {
    updateCoefficients();
    const int count = outletCount();
    // The dither fills the channels in order from the one generator.
    for (int c = 0; c < count; ++c) {
        float* o = outletSignal(c).samples();
        const float* x = inletSignal(c).samples();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            o[i] = static_cast<float>(dither_.next()) + x[i];
    }
    for (int c = 0; c < count; ++c) {
        Channel& ch = channels_[static_cast<std::size_t>(c)];
        SGSignal& out = outletSignal(c);
        ch.dcBlocker.processBlock(out);
        float* o = out.samples();
        highShelf_.run(ch.highShelf, o);
        lowShelf_.run(ch.lowShelf, o);
        band1_.run(ch.band1, o);
        band2_.run(ch.band2, o);
    }
}
