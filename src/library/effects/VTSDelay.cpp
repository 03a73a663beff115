#include "library/effects/VTSDelay.h"

#include <cmath>

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"

namespace {

// A semiquaver is a quarter of a beat.
constexpr double kTicksPerSemiquaver = SGTicksPerBeat / 4.0;

// The clock speed of a processor outside any context: the context's own starting tempo.
constexpr double kDefaultSamplesPerTick = SGSampleRate * (1.0 / 48.0);

}  // namespace

VTSDelay::VTSDelay() : SGSignalProcessor(2, 2) { vtSetUpDither(dither_); }

SGPropertyTable& VTSDelay::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* ms = SGTimeMillisecondsUnits::instance();
        const SGPropertyUnits* fraction = SGFractionUnits::instance();
        add(table_, delayUnits, "DelayUnits", SGAbstractUnits::instance(), 0.0, 0.0);
        add(table_, leftDelay, "LeftDelay", ms, 1.0, 2000.0);
        add(table_, rightDelay, "RightDelay", ms, 1.0, 2000.0);
        add(table_, feedback, "Feedback", fraction, 0.0, 1.0);
        add(table_, wetDryMix, "WetDryMix", fraction, 0.0, 1.0);
    });
    return table_.bind(info);
}

double VTSDelay::msPerSemiquaver(double samplesPerTick) {
    return samplesPerTick * kTicksPerSemiquaver / SGSampleRate * 1000.0;
}

int VTSDelay::effectiveMs(int setting, bool semiquavers, double samplesPerTick) {
    double ms = setting;
    if (semiquavers) ms = std::trunc(ms * msPerSemiquaver(samplesPerTick));
    // Limited before it becomes an integer, so that no tempo or setting can overflow it; a
    // not-a-number time counts as the longest.
    if (!(ms <= kLongestMs)) ms = kLongestMs;
    if (ms < kShortestMs) ms = kShortestMs;
    return static_cast<int>(ms);
}

double VTSDelay::samplesPerTick() const {
    return context() ? context()->samplesPerTick() : kDefaultSamplesPerTick;
}

void VTSDelay::feedLines(const SGSignal& in0, const SGSignal& in1, bool stereoIn) {
    const auto fb = static_cast<float>(feedback.value());
    const float* x0 = in0.samples();
    const float* r = outletSignal(1).samples();
    float* w0 = work0_.samples();
    if (!stereoIn) {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            w0[i] = static_cast<float>(dither_.next()) + x0[i] + r[i] * fb;
        left_.write(work0_);
        right_.write(work0_);
        return;
    }
    const float* x1 = in1.samples();
    float* w1 = work1_.samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        const float g = static_cast<float>(dither_.next()) + r[i] * fb;
        w0[i] = x0[i] + g;
        w1[i] = g + x1[i];
    }
    right_.write(work0_);
    left_.write(work1_);
}

void VTSDelay::process() {
    const bool semiquavers = delayUnits.value() == kSemiquavers;
    const double spt = samplesPerTick();
    const int a = effectiveMs(leftDelay.value(), semiquavers, spt);
    const int b = effectiveMs(rightDelay.value(), semiquavers, spt);

    // Read before writing: a delay is measured back from the first sample of this block.
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    left_.readFixed(left, a * 0.001);
    right_.readFixed(right, b * 0.001);

    const SGSignal& in0 = inletSignal(0);
    const SGSignal& in1 = inletSignal(1);
    const bool stereoIn = &in1 != &SGZeroSignal;
    feedLines(in0, in1, stereoIn);

    if (wetDryMix.testAndClearChanged()) gains_.setMix(wetDryMix.value());
    gains_.mixInto(left.samples(), in0.samples(), SGBlockSize);
    gains_.mixInto(right.samples(), (stereoIn ? in1 : in0).samples(), SGBlockSize);
}
