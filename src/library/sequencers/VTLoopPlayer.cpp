#include "library/sequencers/VTLoopPlayer.h"

#include <cmath>

#include "wave/SharedSoundFilePaths.h"
#include "params/SGPropertyUnits.h"
#include "sgopt/SGOpt.h"
#include "signal/SGClockTicks.h"

namespace {

constexpr float kScale = 1.0f / 32768.0f;
constexpr std::int64_t kTicksPerBar = 96;

// x brought into [0, length).
double wrapInto(double x, double length) {
    if (x >= length || x < 0.0) {
        x = std::fmod(x, length);
        if (x < 0.0) x += length;
        if (!(x < length)) x = 0.0;
    }
    return x;
}

}  // namespace

VTLoopPlayer::VTLoopPlayer() : SGSignalProcessor(0, 2) {}

SGPropertyTable& VTLoopPlayer::propertyTable() {
    static SGStaticPropertyTable::ClassInfo info;
    info.buildOnce([this](auto& add) {
        const SGPropertyUnits* none = SGAbstractUnits::instance();
        add(table_, file, "File", none, 0.0, 0.0);
        add(table_, barCount, "BarCount", none, 0.0, 0.0);
        add(table_, stretch, "Stretch", none, 0.0, 0.0);
        add(table_, phase, "Phase", none, 0.0, 0.0);
        add(table_, mute, "Mute", none, 0.0, 0.0);
    });
    return table_.bind(info);
}

void VTLoopPlayer::loadFile() {
    count_ = 0;
    if (!sample_.load(resolveSharedSoundFileName(file.text()))) return;
    count_ = sample_.frames();
    if (count_ == 0) return;
    // Two guard samples repeat the first two, so the interpolation after the last frame leads
    // back into the loop start.
    std::int16_t* d = sample_.data();
    const std::uint32_t used = count_ * sample_.channels();
    d[used] = d[0];
    d[used + 1] = d[1 % used];
}

void VTLoopPlayer::play(double h, double loopLength, double rate) {
    // h is the place of the block start within the loop, in samples. The file position runs on
    // from it; at the loop end it starts again from the loop start, within the block as well.
    const double loopEnd = loopLength * rate;
    double position = h * rate;
    const double count = count_;
    const auto n = static_cast<std::int32_t>(count_);
    const std::int16_t* d = sample_.data();
    const bool stereo = sample_.isStereo();
    float* l = outletSignal(0).samples();
    float* r = outletSignal(1).samples();
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        if (position < count) {
            std::int32_t p = SGTruncate(static_cast<float>(position));
            const auto f = static_cast<float>(position - p);
            while (p >= n) p -= n;
            while (p < 0) p += n;
            if (stereo) {
                const float a = d[2 * p], b = d[2 * p + 2], c = d[2 * p + 1], e = d[2 * p + 3];
                l[i] = (a + (b - a) * f) * kScale;
                r[i] = (c + (e - c) * f) * kScale;
            } else {
                const float a = d[p], b = d[p + 1];
                l[i] = r[i] = (a + (b - a) * f) * kScale;
            }
        } else {
            l[i] = r[i] = 0.0f;
        }
        position = position + rate;
        if (position >= loopEnd) position -= loopEnd;
    }
    position_ = position;
}

void VTLoopPlayer::process() {
    if (file.testAndClearChanged()) loadFile();
    const SGDynSigContext* ctx = context();
    const double pos = ctx != nullptr ? ctx->clockPosition() : 0.0;
    const double spt = ctx != nullptr ? ctx->samplesPerTick() : 0.0;
    const bool clockUsable =
        std::isfinite(pos) && std::fabs(pos) < 9.0e15 && spt > 0.0 && std::isfinite(spt);
    const double t = clockUsable ? std::ceil(pos) : 0.0;
    const double e = (t - pos) * spt;
    const auto tick = static_cast<std::int64_t>(t);

    // A change of "Mute" waits for a bar line at the first tick of a block.
    if (clockUsable && mute.isChanged() && e < SGBlockSize &&
        sgTickInPattern(tick, kTicksPerBar) == 0) {
        playing_ = !mute.value();
        mute.clearChanged();
    }

    const bool running = ctx != nullptr && ctx->isClockRunning() && clockUsable;
    if (count_ == 0 || !running || !playing_) {
        outletSignal(0).fill(0.0f);
        outletSignal(1).fill(0.0f);
        return;
    }
    const std::int32_t bars = barCount.value() > 0 ? barCount.value() : 1;
    const std::int64_t loopTicks = kTicksPerBar * bars;
    const double loopLength = spt * static_cast<double>(loopTicks);
    double h =
        static_cast<double>(sgTickInPattern(tick, loopTicks)) * spt - e + phase.value() * spt * 6.0;
    h = wrapInto(h, loopLength);
    rate_ = stretch.value() ? count_ / loopLength : sample_.rateFactor();
    play(h, loopLength, rate_);
}
