#include "library/synthesisers/VTBassline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "signal/SGClockTicks.h"
#include "params/SGPropertyUnits.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGGainSmoother.h"

namespace {

// Dither of about one bit below the 24th, so the filter's states never sink into denormals.
constexpr double kDitherOffset = -3.0517578125e-08;
constexpr double kDitherScale = 6.103515625e-08;
// exp(-7): where the amplitude envelope's curve stands when it ends.
constexpr float kAmplitudeBase = 0.000911882f;

// The three waveforms every bassline reads. They take a few milliseconds to compute (the square
// alone sums 170 partials), so they are computed once and copied into each new instance.
struct Waveforms {
    SGFunctionTable saw{VTBassline::kTableSize};
    SGFunctionTable square{VTBassline::kTableSize};
    SGFunctionTable lfo{VTBassline::kTableSize};

    Waveforms() {
        // A falling ramp over the first eighth, a slow rise back over the next three eighths,
        // then flat, with a touch of fundamental added.
        float* s = saw.data();
        const float top = static_cast<float>(0.7 * 1.5);
        for (int i = 0; i < 128; ++i) s[i] = (1.0f - static_cast<float>(i) * 0.0078125f) * top;
        for (int j = 0; j <= 384; ++j) s[128 + j] = static_cast<float>(-0.7 * j / 384.0);
        saw.addHarmonic(1.0f, 0.27f, 0.0f, 0.0f);
        for (int j = 1; j <= 339; j += 2)
            square.addHarmonic(static_cast<float>(j), static_cast<float>(1.0 / j), 0.0f, 0.0f);
        square.normalise(0.55f);
        lfo.addHarmonic(1.0f, 0.5f, 0.0f, 0.5f);  // a sine between 0 and 1
    }

    static const Waveforms& instance() {
        static const Waveforms w;
        return w;
    }
};

void copyTable(const SGFunctionTable& from, SGFunctionTable& to) {
    std::memcpy(to.data(), from.data(), (std::size_t{from.size()} + 1) * sizeof(float));
}

const std::array<float, 128>& noteTable() {
    static const std::array<float, 128> table = [] {
        std::array<float, 128> t{};
        for (int n = 0; n < 128; ++n)
            t[n] = static_cast<float>(440.0 * std::pow(2.0, (n - 69) / 12.0));
        return t;
    }();
    return table;
}

}  // namespace

void VTBassline::Envelope::setBase(float b) {
    base = b;
    multiplier = static_cast<float>(std::pow(double{b}, 1.0 / kEnvelopeLength));
}

float VTBassline::Envelope::next() {
    if (counter >= length) return end;
    const float v = start + (1.0f - g) * range;
    g = g * multiplier;
    ++counter;  // held at the length once it ends: nothing changes after that
    return v;
}

float VTBassline::noteFrequency(int note) {
    return noteTable()[static_cast<std::size_t>(std::clamp(note, 0, 127))];
}

double VTBassline::glideFactor() { return std::pow(0.997, 44100.0 / SGSampleRate * SGBlockSize); }

double VTBassline::overdriveCurve(double z) {
    // The cubic reaches its flat top of 2 at z = 2; past it the cubic would rise again and
    // throw a spike, so the top stays flat.
    if (z >= 2.0) return 2.0;
    if (z > 1.0) {
        const double d = 2.0 - z;
        return 2.0 - d * d * d;
    }
    return z;
}

VTBassline::VTBassline() : SGSignalProcessor(1, 1), glide_(glideFactor()) {
    const Waveforms& w = Waveforms::instance();
    copyTable(w.saw, sawTable_);
    copyTable(w.square, squareTable_);
    copyTable(w.lfo, lfoTable_);
    osc_.setIncrement(1.0);
    ampEnv_.start = 1.0f;
    ampEnv_.end = 0.0f;
    ampEnv_.setBase(kAmplitudeBase);
    ampEnv_.range = (ampEnv_.end - ampEnv_.start) / (1.0f - ampEnv_.base);
    dither_.seedFromClock();
    dither_.offset = kDitherOffset;
    dither_.scale = kDitherScale;
    pole_ = SGGainSmoother::poleForCutoff(20.0, static_cast<float>(SGSampleRate));
    reset();
}

SGPropertyTable& VTBassline::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* plain = SGAbstractUnits::instance();
        add(table_, volume, "Volume", plain, 0.0, 1.0);
        add(table_, mute, "Mute", plain, 0.0, 1.0);
        add(table_, waveform, "Waveform", plain, 0.0, 1.0);
        add(table_, cutoffFreq, "CutoffFreq", plain, 0.0, 1.0);
        add(table_, resonance, "Resonance", plain, 0.0, 1.0);
        add(table_, envMod, "EnvMod", plain, 0.0, 1.0);
        add(table_, decay, "Decay", plain, 0.0, 1.0);
        add(table_, accent, "Accent", plain, 0.0, 1.0);
        add(table_, overdrive, "Overdrive", plain, 0.0, 1.0);
        add(table_, lfoRate, "LFORate", plain, 0.1, 1.0);
        add(table_, lfoDepth, "LFODepth", plain, 0.0, 1.0);
        add(table_, gates, "Gates", plain, 0.0, 0.0);
        add(table_, accents, "Accents", plain, 0.0, 0.0);
        add(table_, ties, "Ties", plain, 0.0, 0.0);
        add(table_, notes0, "Notes_0", plain, 0.0, 0.0);
        add(table_, notes1, "Notes_1", plain, 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTBassline::reset() {
    // Immediate silence, note off.
    gateRemaining_ = 0;
    gateValue_ = 0.0;
    gateStep_ = -1.0;
}

void VTBassline::applyChangedProperties() {
    if (volume.testAndClearChanged()) smootherTarget_ = static_cast<float>(volume.value());
    if (lfoRate.testAndClearChanged()) {
        const double r = lfoRate.value();
        const double hertz = r * r * 10.0 + 0.02;
        lfo_.setIncrement(kTableSize / ((SGSampleRate / SGBlockSize) / hertz));
    }
    if (resonance.testAndClearChanged()) {
        const double r = 3.0 * resonance.value();
        q_ = 1.0 / (r * r * 12.0 + 1.0);
    }
    if (decay.testAndClearChanged()) {
        const double d = 7.5 * decay.value() - 10.0;
        cutoffEnv_.setBase(static_cast<float>(std::exp(-(d * d))));
    }
    if (waveform.testAndClearChanged())
        osc_.setTable(waveform.value() != 0 ? squareTable_ : sawTable_);
}

int VTBassline::noteAt(int step) const {
    const int n = step < 8 ? notes0.at(step) : notes1.at(step - 8);
    return n > 0 ? n : 0;  // a negative byte from a damaged text is a rest, not a note
}

void VTBassline::handleTick(std::int64_t tick, bool running) {
    const int p = static_cast<int>(sgTickInPattern(tick, kPatternTicks));
    const int step = p / kStepTicks;
    const int u = p % kStepTicks;
    if (step == 0 && mute.testAndClearChanged()) muteLatch_ = mute.value();
    const int note = noteAt(step);
    const bool on = !muteLatch_ && bit(gates, step) && running;
    if (u == 0 && note != 0 && on) {
        targetFreq_ = noteFrequency(note);
        if (gateStep_ > 0.0) return;  // a note still sounds: it slides to the new pitch
        currentFreq_ = targetFreq_;
        cutoffEnv_.restart();
        ampEnv_.restart();
        gateRemaining_ = kAttackSamples;
        gateStep_ = 1.0 / kAttackSamples;
        gateValue_ = 0.0;
        osc_.setPhase(0.0);
        accentAmount_ = bit(accents, step) ? accent.value() : 0.0;
    } else if (gateStep_ > 0.0 && ((u == 3 && !bit(ties, step)) || (u == 0 && !on))) {
        gateRemaining_ = kReleaseSamples;
        gateStep_ = -1.0 / kReleaseSamples;
        gateValue_ = 1.0;
    }
}

void VTBassline::renderSegment(const BlockValues& b, const float* inlet, float* out,
                               std::uint32_t from, std::uint32_t to) {
    cutoffEnv_.start = b.envTop;
    cutoffEnv_.end = b.cutoffHz;
    cutoffEnv_.range = (cutoffEnv_.end - cutoffEnv_.start) / (1.0f - cutoffEnv_.base);
    const float fc = cutoffEnv_.next();
    f_ = 2.0 * std::sin(std::numbers::pi * fc * (0.2 * accentAmount_ + 1.0) / SGSampleRate);
    const float h = ampEnv_.next();
    osc_.setIncrement(kTableSize * currentFreq_ / SGSampleRate);
    const double v = h * (0.16 * accentAmount_ + 0.7) * b.volume;
    const double drive = b.drive;
    const double f = f_;
    const double q = q_;
    const float inputGain = 1.0f - pole_;
    double low = low_;
    double band = band_;
    // Without an inlet the oscillator's values for the segment are read in one batch.
    float wave[SGBlockSize];
    if (!inlet) osc_.tickBlock(wave, to - from);
    const float* source = inlet ? inlet + from : wave;
    for (std::uint32_t i = from; i < to; ++i) {
        const double dither = dither_.next();
        const float x = static_cast<float>(source[i - from] + dither);
        low = f * band + low;
        band = band + f * (x - low - q * band);
        double y = low;
        // The states stay within +-1, which keeps the resonant filter stable; the output keeps
        // its unclamped value. A state that is not a number starts again from 0.
        if (!(std::fabs(low) < 1.0)) low = low >= 1.0 ? 1.0 : (low <= -1.0 ? -1.0 : 0.0);
        if (!(std::fabs(band) < 1.0)) band = band >= 1.0 ? 1.0 : (band <= -1.0 ? -1.0 : 0.0);
        if (gateRemaining_ > 0) {
            --gateRemaining_;
            gateValue_ += gateStep_;
        }
        y = y * gateValue_;
        const double z = overdriveCurve(std::fabs(y) * drive);
        y = (y > 0.0 ? z : (y < 0.0 ? -z : 0.0)) / drive;
        smootherState_ = inputGain * smootherTarget_ + pole_ * smootherState_;
        out[i] = static_cast<float>(smootherState_ * v * y);
    }
    low_ = low;
    band_ = band;
    currentFreq_ = currentFreq_ * glide_ + targetFreq_ * (1.0 - glide_);
}

void VTBassline::process() {
    applyChangedProperties();
    const double lfoValue = lfo_.tick();
    const double mod = envMod.value();
    const float em = static_cast<float>(mod + lfoValue * (1.0 - mod) * lfoDepth.value());
    const double cutoff = cutoffFreq.value();
    const double cutoffHz = std::exp(1.38 * cutoff) * 195.0 / (0.3 * em + 1.0);
    const double envTop = cutoffHz + (1.0 - 0.5 * cutoff) * cutoffHz * (19.0 * em + 0.8);
    const BlockValues b{static_cast<float>(envTop), static_cast<float>(cutoffHz),
                        static_cast<float>(1.0 + overdrive.value()), volume.value()};

    const float* inlet = &inletSignal(0) != &SGZeroSignal ? inletSignal(0).samples() : nullptr;
    float* out = outletSignal(0).samples();
    std::uint32_t k = 0;
    // Ticks are handled while the clock stands too, so that a sounding note is still released;
    // only starting a note needs the clock running.
    const SGDynSigContext* c = context();
    if (c) {
        const bool running = c->isClockRunning();
        for (SGClockTicks ticks(c->clockPosition(), c->samplesPerTick()); ticks.pending();
             ticks.next()) {
            const std::uint32_t e = ticks.sampleIndex();
            renderSegment(b, inlet, out, k, e);
            k = e;
            handleTick(ticks.tick(), running);
        }
    }
    renderSegment(b, inlet, out, k, SGBlockSize);
}
