#include "VTExampleSamples.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "wave/VTSampleConversion.h"
#include "wave/VTWaveOutFile.h"

namespace VTExampleSamples {

namespace {

constexpr double kRate = 44100.0;
constexpr double kTwoPi = 6.283185307179586;

using Mono = std::vector<float>;

// The same linear congruential noise the signal core uses, so the files are the same on every
// machine.
class Noise {
public:
    float next() {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<float>(static_cast<std::int32_t>(seed_)) / 2147483648.0f;
    }

private:
    std::uint32_t seed_ = 20261210u;
};

std::size_t frames(double seconds) { return static_cast<std::size_t>(seconds * kRate); }

bool write(const std::string& file, const std::vector<float>& interleaved, std::uint16_t channels) {
    std::vector<std::int16_t> samples(interleaved.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = VTSampleConversion::floatToSample16(interleaved[i]);
    VTWaveOutFile out(file, 44100, channels, true);
    const auto count = static_cast<std::uint32_t>(samples.size() / channels);
    return out.isOpen() && out.writeFrames(samples.data(), count) == count;
}

// A sine whose pitch falls from `high` to `low`, fading out: kick and tom.
Mono sweptSine(double seconds, double high, double low, double sweep, double decay) {
    Mono m(frames(seconds));
    double phase = 0.0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double t = i / kRate;
        const double f = low + (high - low) * std::exp(-t / sweep);
        phase += kTwoPi * f / kRate;
        m[i] = static_cast<float>(0.9 * std::sin(phase) * std::exp(-t / decay));
    }
    return m;
}

Mono snare() {
    Noise noise;
    Mono m(frames(0.3));
    double phase = 0.0, low = 0.0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double t = i / kRate;
        phase += kTwoPi * 185.0 / kRate;
        const double n = noise.next();
        low += 0.35 * (n - low);  // takes the edge off the noise
        m[i] = static_cast<float>(0.55 * low * std::exp(-t / 0.07) +
                                  0.45 * std::sin(phase) * std::exp(-t / 0.04));
    }
    return m;
}

Mono hihat(double seconds, double decay) {
    Noise noise;
    Mono m(frames(seconds));
    float previous = 0.0f;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const float n = noise.next();
        // A first difference keeps the hiss and drops the body.
        m[i] = static_cast<float>(0.45 * (n - previous) * std::exp(-(i / kRate) / decay));
        previous = n;
    }
    return m;
}

Mono clap() {
    Noise noise;
    Mono m(frames(0.25));
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double t = i / kRate;
        // Three quick bursts, then the tail.
        const double burst = std::fmod(t, 0.011) < 0.004 && t < 0.033 ? 1.0 : 0.0;
        m[i] =
            static_cast<float>(0.6 * noise.next() * (burst + std::exp(-t / 0.06) * (t >= 0.033)));
    }
    return m;
}

double midiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Two bars at 120 BPM: an arpeggio of eighth notes over A minor and F major, the notes swapped
// between the channels so that the stereo loop is heard as one.
std::vector<float> loop() {
    const int notes[16] = {57, 60, 64, 69, 64, 60, 57, 64, 53, 57, 60, 65, 60, 57, 53, 60};
    const std::size_t step = frames(0.25);
    std::vector<float> s(2 * step * 16, 0.0f);
    for (int k = 0; k < 16; ++k) {
        const double f = midiToHz(notes[k]);
        for (std::size_t i = 0; i < step; ++i) {
            const double t = i / kRate;
            const double env = std::exp(-t / 0.12) * std::min(1.0, t / 0.004);
            const double v =
                env * (0.5 * std::sin(kTwoPi * f * t) + 0.15 * std::sin(2 * kTwoPi * f * t));
            const std::size_t at = 2 * (k * step + i);
            s[at] = static_cast<float>(v * (k % 2 ? 0.6 : 1.0));
            s[at + 1] = static_cast<float>(v * (k % 2 ? 1.0 : 0.6));
        }
    }
    return s;
}

// An "ah" sung at 220 Hz with a slow vibrato: harmonics weighted by three formant peaks.
std::vector<float> voice() {
    const std::size_t n = frames(3.0);
    std::vector<float> s(2 * n);
    const double formants[3] = {730.0, 1090.0, 2440.0};
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i / kRate;
        phase += kTwoPi * 220.0 * (1.0 + 0.01 * std::sin(kTwoPi * 5.0 * t)) / kRate;
        double v = 0.0;
        for (int h = 1; h <= 14; ++h) {
            double w = 0.0;
            for (double f : formants) w += std::exp(-std::pow((h * 220.0 - f) / 160.0, 2.0));
            v += (w + 0.08 / h) * std::sin(h * phase);
        }
        const double env = std::min({1.0, t / 0.05, (3.0 - t) / 0.05});
        s[2 * i] = static_cast<float>(0.3 * v * env);
        s[2 * i + 1] = static_cast<float>(0.3 * v * env * (0.9 + 0.1 * std::sin(kTwoPi * 0.5 * t)));
    }
    return s;
}

}  // namespace

bool writeAll(const std::string& folder) {
    const std::string d = folder + "/";
    bool ok = write(d + "kick.wav", sweptSine(0.5, 160.0, 45.0, 0.04, 0.15), 1);
    ok = write(d + "snare.wav", snare(), 1) && ok;
    ok = write(d + "hihat.wav", hihat(0.12, 0.03), 1) && ok;
    ok = write(d + "clap.wav", clap(), 1) && ok;
    ok = write(d + "tom.wav", sweptSine(0.6, 140.0, 90.0, 0.1, 0.2), 1) && ok;
    ok = write(d + "loop.wav", loop(), 2) && ok;
    ok = write(d + "voice.wav", voice(), 2) && ok;
    return ok;
}

}  // namespace VTExampleSamples
