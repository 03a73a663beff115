#include "library/granulators/VTDLGranulator.h"

#include <algorithm>
#include <cmath>

#include "library/granulators/VTGrainPanCurve.h"
#include "library/granulators/VTGrainQuantizer.h"
#include "params/SGPropertyUnits.h"

namespace {

constexpr double kB = SGBlockSize;
constexpr double kSR = SGSampleRate;
constexpr double kBlockSeconds = kB / kSR;

// The pole of the one-pole filters for a corner frequency in hertz.
double onePole(double radiansPerSample) {
    const double d = 2.0 - std::cos(radiansPerSample);
    return d - std::sqrt(d * d - 1.0);
}

// A pitch end on the octave scale of the transposition range, 0 at 1/4 and 1 at 4.
double octavePlace(float pitch) {
    // A transposition of zero or below has no place on the scale; it counts as the bottom.
    const double p = pitch > 0.0f ? pitch : 0.25;
    return (std::log10(p) + 0.60206) / 1.20412;
}

double mean(const SGNoise& g) { return g.offset + 0.5 * g.scale; }

}  // namespace

VTDLGranulator::VTDLGranulator() : SGSignalProcessor(1, 2) {
    for (SGNoise* g : {&gen_.amplitude, &gen_.pan, &gen_.pitch, &gen_.delay, &gen_.interonset,
                       &gen_.duration, &gen_.attDec, &gen_.skew})
        g->seedFromClock();
    dither_.seedFromClock();
    dither_.offset = -3.0517578125e-08;
    dither_.scale = 6.103515625e-08;
    limiter_.threshold = 0.95f;
    limiter_.ceiling = 1.5f;
    limiter_.attackSamples = static_cast<std::int32_t>(0.05 * kSR);
    limiter_.releaseSamples = static_cast<std::int32_t>(0.05 * kSR);
    limiter_.holdSamples = 0;
    lpA_ = static_cast<float>(onePole(100530.9632 / kSR));
    lpB_ = 1.0f - lpA_;
    for (VTDLGrain& g : grains_) g.line = &line_;
    // The shared pan table is built here, not by the first grain on the audio thread.
    (void)VTGrainPanCurve();
}

SGPropertyTable& VTDLGranulator::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* none = SGAbstractUnits::instance();
        const SGPropertyUnits* ms = SGTimeMillisecondsUnits::instance();
        const SGPropertyUnits* fraction = SGFractionUnits::instance();
        add(table_, inputGain, "InputGain", SGGainUnits::instance(), 0.0, 1.5);
        add(table_, amplitude, "Amplitude", SGVolumeUnits::instance(), 0.0, 1.0);
        add(table_, panning, "Panning", SGPanningUnits::instance(), 0.0, 1.0);
        add(table_, delayTime, "DelayTime", ms, 0.0, 9500.0);
        add(table_, feedback, "Feedback", fraction, 0.0, 0.9);
        add(table_, wetDryMix, "WetDryMix", fraction, 0.0, 1.0);
        add(table_, pitchScaler, "PitchScaler", SGTranspositionUnits::instance(), 0.25, 4.0);
        add(table_, interonsetTime, "InteronsetTime", ms, 0.5, 2000.0);
        add(table_, quantizeAmount, "QuantizeAmount", fraction, 0.0, 1.0);
        add(table_, quantizeClocks, "QuantizeClocks", none, 0.0, 0.0);
        add(table_, grainDuration, "GrainDuration", ms, 5.0, 500.0);
        add(table_, attDecRatio, "AttDecRatio", none, 0.0, 0.9);
        add(table_, grainSkew, "GrainSkew", none, 0.05, 0.95);
        add(table_, maxGrains, "MaxGrains", none, 1.0, 20.0);
    });
    return table_.bind(info);
}

void VTDLGranulator::reset() {
    voices_.releaseAll();
    nextOnset_ = 0;
}

float VTDLGranulator::normalisation() const {
    const double meanAttDec = mean(gen_.attDec);
    // The onset stream moves on by at least a sample, and no grain is shorter than nothing.
    const double meanDur = std::max(mean(gen_.duration) * 0.001 * kSR, 0.0);
    const double meanIOT = std::max(mean(gen_.interonset), 1.0);
    const double factor = meanIOT > meanDur ? 1.0 : 1.0 / std::sqrt(meanDur / meanIOT);
    return static_cast<float>((2.0 - meanAttDec) * factor);
}

float VTDLGranulator::feedbackGain() const {
    const SGFloatRange pitch = pitchScaler.value();
    const double lo = octavePlace(pitch.low);
    const double hi = octavePlace(pitch.high);
    const double width = hi - lo;
    const double c = std::fabs(0.5 * hi + lo - 0.5);
    const double e = 0.5 * width + c;
    const double g = (1.0 - std::exp(-15.0 * e)) / (1.0 - std::exp(-15.0)) * 0.95 + 0.05;
    const double k = mean(gen_.amplitude) * 0.9 + 0.1;
    return static_cast<float>((1.0 / k) * (0.95 * feedback.value()) * g);
}

void VTDLGranulator::takeRangeChanges() {
    auto take = [](SGRangeProperty& p, SGNoise& g, double unit) {
        if (!p.testAndClearChanged()) return false;
        const SGFloatRange r = p.value();
        g.setRange(r.low * unit, r.high * unit);
        return true;
    };
    take(amplitude, gen_.amplitude, 1.0);
    take(panning, gen_.pan, 1.0);
    take(pitchScaler, gen_.pitch, 1.0);
    take(delayTime, gen_.delay, 1.0);
    take(interonsetTime, gen_.interonset, 0.001 * kSR);
    take(attDecRatio, gen_.attDec, 1.0);
    take(grainSkew, gen_.skew, 1.0);
    if (take(grainDuration, gen_.duration, 1.0)) {
        // The feedback high-pass sits below the grain rate of the shortest grains. A range
        // starting at zero or below takes the shortest grain the range allows.
        const double low = gen_.duration.offset >= 5.0 ? gen_.duration.offset : 5.0;
        const double f = 1000.0 / low * 2.0 + 50.0;
        hpPole_ = static_cast<float>(onePole(f * 2.0 * 3.1415926 / kSR));
    }
}

bool VTDLGranulator::renderGrain(VTDLGrain& g, bool frozen) {
    const bool sounding = g.render(scratch_, outletSignal(0), outletSignal(1));
    // A held buffer does not move on under the grain, so its delay has to come closer instead.
    if (sounding && frozen) g.delay -= kBlockSeconds;
    return sounding;
}

void VTDLGranulator::startGrain(std::uint32_t w, float norm, bool frozen) {
    VTDLGrain* g = voices_.allocate();
    if (g == nullptr) return;
    const double pan = gen_.pan.next();
    const double skew = gen_.skew.next();
    const double attDec = gen_.attDec.next();
    const float amp = static_cast<float>(gen_.amplitude.next()) * norm;
    const double durationMs = gen_.duration.next();
    const double rate = gen_.pitch.next();
    const double delayMs = gen_.delay.next();

    g->line = &line_;
    g->delay = delayMs * 0.001 + w / kSR + kBlockSeconds;
    g->rate = static_cast<float>(rate);
    const double dur = durationMs * 0.001;
    // A grain must not catch up with the newest written sample before it ends. While the line
    // runs, only a grain faster than the writing can; in a held line every grain moves towards
    // the last sample written, however slowly it reads.
    const double r = g->rate;
    if (frozen && r > 0.0)
        g->delay = std::max(g->delay, kBlockSeconds * r + dur * r);
    else if (r > 1.0)
        g->delay = std::max(g->delay, (r - 1.0) * dur + kBlockSeconds * r);
    g->onset = static_cast<std::int32_t>(w);
    g->setEnvelope(dur * kSR, attDec, skew);

    const SGTableFunction& curve = VTGrainPanCurve();
    const double p = std::clamp(pan, 0.01, 0.99);
    const float gL = curve.lookup(p);
    const float gR = curve.lookup(1.0 - p);
    g->leftGain = gL;
    g->envelope = (g->attack > 0 ? 0.0f : amp) * gL;
    g->ratio = gR / gL;
    g->slope = g->attack > 0 ? amp * gL / static_cast<float>(g->attack) : 0.0f;
    g->state = VTDLGrain::Waiting;
    if (!renderGrain(*g, frozen)) voices_.release();
}

void VTDLGranulator::scheduleGrains(bool frozen) {
    const float norm = normalisation();
    VTGrainQuantizer quantizer;
    quantizer.setUp(context(), quantizeAmount.value(), quantizeClocks.value());
    // Draws below one sample would let the onset stand still; the stream moves on by at least
    // one sample per grain.
    auto interval = [this] {
        const double v = std::trunc(gen_.interonset.next());
        return v >= 1.0 ? (v < 1.0e9 ? static_cast<std::uint32_t>(v) : 1000000000u) : 1u;
    };
    const double highEnd = gen_.interonset.offset + gen_.interonset.scale;
    if (highEnd < nextOnset_) nextOnset_ = interval();
    const std::int32_t limit = std::clamp(maxGrains.value(), 1, kGrainCount);
    while (nextOnset_ < SGBlockSize) {
        if (voices_.activeCount() < limit) startGrain(quantizer.pull(nextOnset_), norm, frozen);
        nextOnset_ += interval();
    }
    nextOnset_ -= SGBlockSize;
}

void VTDLGranulator::filterFeedback() {
    limiter_.limit(feedbackBlock_);
    float* d = feedbackBlock_.samples();
    float x = lpX_;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        x = lpB_ * d[i] + lpA_ * x;
        d[i] = x;
    }
    lpX_ = x;
    float s = hpS_;
    const float a = hpPole_;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        const float in = d[i];
        const float y = (s + in) * a;
        s = y - in;
        d[i] = y;
    }
    hpS_ = s;
    dcBlocker_.processBlock(feedbackBlock_);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        d[i] = (d[i] < kSnap && d[i] > -kSnap) ? 0.0f : d[i];
}

void VTDLGranulator::writeLine(bool frozen) {
    if (frozen != wasFrozen_) {
        // One block of crossfade: the last block written before a freeze fades out, the first
        // after it fades in.
        float* d = feedbackBlock_.samples();
        const float step = frozen ? -1.0f / kB : 1.0f / kB;
        float g = frozen ? 1.0f : 0.0f;
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            d[i] = d[i] * g;
            g = g + step;
        }
        line_.write(feedbackBlock_);
        wasFrozen_ = frozen;
    } else if (!frozen) {
        line_.write(feedbackBlock_);
    }
}

void VTDLGranulator::mixDry() {
    if (wetDryMix.testAndClearChanged()) {
        const double theta = static_cast<float>(wetDryMix.value()) * 1.5708 - 0.785398;
        g0_ = static_cast<float>((std::cos(theta) + std::sin(theta)) * 0.707);
        g1_ = static_cast<float>((std::cos(theta) - std::sin(theta)) * 0.707);
    }
    const float* in = inletSignal(0).samples();
    const float g0 = g0_, g1 = g1_;
    for (int k = 0; k < 2; ++k) {
        float* __restrict o = outletSignal(k).samples();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) o[i] = o[i] * g0 + in[i] * g1;
    }
}

void VTDLGranulator::process() {
    takeRangeChanges();
    const bool frozen = isFrozen();
    SGSignal& left = outletSignal(0);
    SGSignal& right = outletSignal(1);
    left.fill(0.0f);
    right.fill(0.0f);
    voices_.forEachActive([&](VTDLGrain& g) { return renderGrain(g, frozen); });
    scheduleGrains(frozen);

    dither_.fillBlock(feedbackBlock_);
    feedbackBlock_.addScaled(inletSignal(0), static_cast<float>(inputGain.value()));
    const float d = feedbackGain();
    feedbackBlock_.addScaled(left, d).addScaled(right, d);
    filterFeedback();
    writeLine(frozen);
    mixDry();
}
