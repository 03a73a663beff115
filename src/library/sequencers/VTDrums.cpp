#include "library/sequencers/VTDrums.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "signal/SGClockTicks.h"
#include "params/SGPropertyUnits.h"
#include "sgopt/SGOpt.h"
#include "signal/SGDynSigContext.h"
#include "wave/SharedSoundFilePaths.h"
#include "wave/WaveTableLoader.h"

namespace {

// Rows trigger in this order, so that when both rows of the choking pair trigger on one step
// the first row is the one left sounding.
constexpr int kTriggerOrder[VTDrums::kRows] = {1, 0, 2, 3, 4};

std::string rowName(const char* stem, int row) { return stem + std::to_string(row); }

}  // namespace

VTDrums::VTDrums() : SGSignalProcessor(0, 1) { reset(); }

SGPropertyTable& VTDrums::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* gain = SGGainUnits::instance();
        const SGPropertyUnits* none = SGAbstractUnits::instance();
        add(table_, volume, "Volume", gain, 0.0, 1.0);
        add(table_, mute, "Mute", none, 0.0, 0.0);
        add(table_, gate0And1, "Gate0And1", none, 0.0, 0.0);
        for (int r = 0; r < kRows; ++r) add(table_, files[r], rowName("File_", r), none, 0.0, 0.0);
        for (int r = 0; r < kRows; ++r)
            add(table_, volumes[r], rowName("Volume_", r), gain, 0.0, 1.0);
        for (int r = 0; r < kRows; ++r) add(table_, gates[r], rowName("Gates_", r), none, 0.0, 0.0);
        for (int r = 0; r < kRows; ++r) add(table_, mutes[r], rowName("Mutes_", r), none, 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTDrums::reset() {
    for (Voice& v : voices_) v.silence();
}

std::uint32_t VTDrums::playableLength(double fileRate, std::uint32_t fileFrames,
                                      std::uint32_t size) {
    // The loader resamples to the system rate, so a file at another rate fills more or fewer
    // entries than it has frames: as many as the loader computes, never more than the table.
    const double r = fileRate / SGSampleRate;
    if (r == 1.0) return std::min(fileFrames, size);
    const double read = std::min(std::trunc(size * r) + 2.0, double(fileFrames));
    return static_cast<std::uint32_t>(std::min(std::trunc(read / r), double(size)));
}

void VTDrums::loadSample(int row) {
    Voice& v = voices_[row];
    std::uint32_t length = 0;
    const char* stored = files[row].text();
    if (stored && *stored) {
        const std::string path = resolveSharedSoundFileName(stored);
        WaveFileInfo info;
        // A file that cannot be read leaves the row silent; the table keeps what it held.
        if (loadWaveIntoTable(v.table.data(), v.table.size(), path, info) && info.isGood &&
            (info.channels == 1 || info.channels == 2))
            length = playableLength(info.sampleRate, info.frames, v.table.size());
    }
    v.end = std::max(length, v.start);
    v.silence();  // the new sample waits for its next trigger
}

void VTDrums::loadChangedSamples() {
    for (int r = 0; r < kRows; ++r)
        if (files[r].testAndClearChanged()) loadSample(r);
}

void VTDrums::Voice::render(float* out, std::uint32_t from, std::uint32_t to) {
    const float* t = table.data();
    if (rate == 1.0 && position == std::floor(position)) {
        // The usual case: whole positions, where the interpolating lookup gives each entry
        // back unchanged, so plain loads do. Without a fade the loop vectorises.
        const auto p = static_cast<std::uint32_t>(position);
        const std::uint32_t n = std::min(to - from, end - p);
        const float* __restrict src = t + p;
        float* __restrict dst = out + from;
        if (fade == 0.0f) {
            const float a = amplitude;
            for (std::uint32_t i = 0; i < n; ++i) dst[i] = dst[i] + src[i] * a;
        } else {
            float a = amplitude;
            for (std::uint32_t i = 0; i < n; ++i) {
                dst[i] = dst[i] + src[i] * a;
                a = std::max(a - fade, 0.0f);
            }
            // Past the end the voice adds silence, but its amplitude goes on fading.
            for (std::uint32_t i = n; i < to - from; ++i) a = std::max(a - fade, 0.0f);
            amplitude = a;
        }
        position += n;
        return;
    }
    for (std::uint32_t i = from; i < to; ++i) {
        float v = 0.0f;
        if (position < end) {
            v = SGInterpLookup(t, static_cast<float>(position));
            position += rate;
        }
        out[i] = out[i] + v * amplitude;
        if (fade != 0.0f) amplitude = std::max(amplitude - fade, 0.0f);
    }
}

void VTDrums::renderVoices(float* out, std::uint32_t from, std::uint32_t to) {
    if (from >= to) return;
    for (Voice& v : voices_)
        if (v.sounding()) v.render(out, from, to);
}

void VTDrums::trigger(int row) {
    Voice& v = voices_[row];
    if (rowMuteLatches_[row]) {
        v.silence();
        return;
    }
    v.position = v.start;
    v.amplitude = static_cast<float>(volumes[row].value() * volume.value() * kTriggerGain);
    v.fade = 0.0f;
    if (int other = chokePartner(row); other >= 0) voices_[other].silence();
}

void VTDrums::prepareDeclick(int step, double samplesPerTick) {
    // A row about to retrigger fades to 0 over the step's last tick instead of being cut off.
    auto fadeOut = [samplesPerTick](Voice& v) {
        v.fade = static_cast<float>(v.amplitude / samplesPerTick);
    };
    for (int r = 0; r < kRows; ++r) {
        if (!gateSet(r, step) || rowMuteLatches_[r]) continue;
        fadeOut(voices_[r]);
        if (int other = chokePartner(r); other >= 0) fadeOut(voices_[other]);
    }
}

void VTDrums::handleTick(std::int64_t tick, double samplesPerTick) {
    const int p = static_cast<int>(sgTickInPattern(tick, kPatternTicks));
    const int step = p / kStepTicks;
    const int u = p % kStepTicks;
    if (step == 0 || step == kSteps / 2) {
        // Every tick of a bar's first step takes the mutes over.
        if (mute.testAndClearChanged()) muteLatch_ = mute.value();
        for (int r = 0; r < kRows; ++r) rowMuteLatches_[r] = mutes[r].value();
    }
    if (muteLatch_) return;  // sounding voices play on
    if (u == 0)
        for (int r : kTriggerOrder)
            if (gateSet(r, step)) trigger(r);
    if (u == kStepTicks - 1) prepareDeclick((step + 1) % kSteps, samplesPerTick);
}

void VTDrums::process() {
    loadChangedSamples();
    float* out = outletSignal(0).samples();
    std::fill(out, out + SGBlockSize, 0.0f);
    const SGDynSigContext* c = context();
    if (!c || !c->isClockRunning()) return;  // the voices wait where they stand
    const double samplesPerTick = c->samplesPerTick();
    std::uint32_t k = 0;
    for (SGClockTicks ticks(c->clockPosition(), samplesPerTick); ticks.pending(); ticks.next()) {
        const std::uint32_t e = ticks.sampleIndex();
        renderVoices(out, k, e);
        k = e;
        handleTick(ticks.tick(), samplesPerTick);
    }
    renderVoices(out, k, SGBlockSize);
}
