#include "library/effects/VTPhaser.h"

#include "library/common/VTDither.h"
#include "params/SGPropertyUnits.h"

namespace {

// One first-order all-pass section; s is its one state.
inline float allpassSection(float u, float c, float& s) {
    const float y = u * -c + s;
    s = y * c + u;
    return y;
}

}  // namespace

VTPhaser::VTPhaser() : SGSignalProcessor(1, 1) { vtSetUpDither(dither_); }

SGPropertyTable& VTPhaser::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* fraction = SGFractionUnits::instance();
        add(table_, frequencyRange, "FrequencyRange", SGFrequencyUnits::instance(), 20.0, 4000.0);
        add(table_, rate, "Rate", SGFrequencyUnits::instance(), 0.001, 100.0);
        add(table_, feedback, "Feedback", fraction, 0.0, 0.95);
        add(table_, depth, "Depth", fraction, 0.0, 1.0);
    });
    return table_.bind(info);
}

void VTPhaser::tune(float sweep, SGFloatRange range) {
    // The swept frequency as a fraction of the Nyquist frequency.
    const auto a =
        static_cast<float>((range.low + sweep * (range.high - range.low)) / (SGSampleRate * 0.5));
    for (std::size_t k = 0; k < pairs_.size(); ++k) {
        const auto x = static_cast<float>(a * kPairScales[k]);
        pairs_[k].c = (1.0f - x) / (1.0f + x);
    }
}

void VTPhaser::process() {
    if (rate.testAndClearChanged()) lfo_.setRate(rate.value());
    tune(lfo_.tick(), frequencyRange.value());

    const float* in = inletSignal(0).samples();
    float* out = outletSignal(0).samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        out[i] = dcBlocker_.step(in[i] + static_cast<float>(dither_.next()));

    // Each sample's input depends on the last one's output: the loop stays sample by sample.
    const auto fb = static_cast<float>(feedback.value());
    AllpassPair p0 = pairs_[0], p1 = pairs_[1], p2 = pairs_[2];
    float last = feedbackSample_;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        float u = last * fb + out[i];
        u = allpassSection(u, p0.c, p0.s1);
        u = allpassSection(u, p0.c, p0.s2);
        u = allpassSection(u, p1.c, p1.s1);
        u = allpassSection(u, p1.c, p1.s2);
        u = allpassSection(u, p2.c, p2.s1);
        u = allpassSection(u, p2.c, p2.s2);
        out[i] = u;
        last = feedbackDcBlocker_.step(u);
    }
    pairs_ = {p0, p1, p2};
    feedbackSample_ = last;

    const auto d = static_cast<float>(depth.value());
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) out[i] = out[i] * d + in[i];
}
