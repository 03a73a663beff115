#include "control/VTClockChase.h"

#include <algorithm>
#include <cmath>

#include "control/KDMidiIn.h"
#include "control/VTSyncLockListener.h"
#include "platform/KDTimeBase.h"
#include "signal/SGConstants.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"

namespace {

constexpr double kBlock = static_cast<double>(SGBlockSize);
constexpr double kMsPerFrame = 1000.0 / SGSampleRate;
// Ticks per millisecond per BPM: 24 ticks a beat, 60000 ms a minute.
constexpr double kTicksPerMsPerBpm = 24.0 / 60000.0;
// How far each planned block moves its rate toward the mean still needed.
constexpr double kApproach = 0.5;
// Every planned rate stays within these multiples of the external tempo.
constexpr double kSlowest = 0.25;
constexpr double kFastest = 4.0;

double tempoOfRate(double ticksPerSample) {
    return ticksPerSample * SGSampleRate * 60.0 / SGTicksPerBeat;
}

double usableTempo(const KDMidiClockReceiver::State& external) {
    return sgIsUsableTempo(external.tempoEstimate) ? external.tempoEstimate : 120.0;
}

}  // namespace

double VTClockChase::externalPosition(const KDMidiClockReceiver::State& external, double t,
                                      double extraMs) {
    const double elapsed = kdTimeDifferenceMs(t, external.positionTime) + extraMs;
    return external.songPosition + elapsed * usableTempo(external) * kTicksPerMsPerBpm;
}

VTClockChase::LockChange VTClockChase::setLocked(bool locked) {
    if (syncLocked_.load() == locked) return LockChange::None;
    syncLocked_.store(locked);
    if (VTSyncLockListener* l = listener_.load()) l->syncLockChanged(locked);
    return locked ? LockChange::Locked : LockChange::Unlocked;
}

VTClockChase::LockChange VTClockChase::step(const KDMidiIn* input, SGDynSigContext& context,
                                            int frames, double playTime) {
    if (input == nullptr) return step(false, {}, context, frames, playTime);
    return step(input->isOpen(), input->syncState(), context, frames, playTime);
}

VTClockChase::LockChange VTClockChase::step(bool inputOpen,
                                            const KDMidiClockReceiver::State& external,
                                            SGDynSigContext& context, int frames, double playTime) {
    blockCount_ = 0;
    if (!chaseSync_.load() || !inputOpen) return setLocked(false);

    LockChange change = LockChange::None;
    if (external.transportRunning && !syncLocked_.load()) {
        change = setLocked(true);
        context.startClock();
        context.setClockPosition(externalPosition(external, playTime));
    } else if (!external.transportRunning && syncLocked_.load()) {
        context.stopClock();
        return setLocked(false);
    }
    if (!syncLocked_.load()) return change;

    const int blocks =
        std::min(frames > 0 ? frames / static_cast<int>(SGBlockSize) : 0, kMaxBlocks);
    if (blocks > 0) plan(external, context, blocks, playTime);
    return change;
}

void VTClockChase::plan(const KDMidiClockReceiver::State& external, SGDynSigContext& context,
                        int blocks, double playTime) {
    const double n = blocks * kBlock;
    const double tempo = usableTempo(external);
    const double w = tempo * SGTicksPerBeat / 60.0 / SGSampleRate;  // nominal ticks per sample
    const double target = externalPosition(external, playTime, n * kMsPerFrame);

    double position = context.clockPosition();
    const double v = (target - position) / n;
    if (!(v <= 2.0 * w && v >= 0.5 * w)) {
        // Too far off to catch up smoothly (a jump, a new song position, a tempo change).
        position = externalPosition(external, playTime);
        context.setClockPosition(position);
        context.setSamplesPerTick(1.0 / w);
    }

    blockCount_ = blocks;
    double* rates = blockTempos_;  // filled with rates first, turned into tempos below
    const double lowest = kSlowest * w;
    const double highest = kFastest * w;
    const int k = blocks - 1;  // blocks before the last
    double d = target - kBlock * w - position;

    if (blocks == 1 || d < k * kBlock * lowest || d > k * kBlock * highest) {
        // One block, or no smooth plan that stays in bounds: the plain mean rate gets there.
        std::fill(rates, rates + blocks, (target - position) / n);
    } else {
        rates[k] = w;
        double front = 1.0 / context.samplesPerTick();
        if (!(std::isfinite(front) && front > 0.0)) front = w;
        double back = w;
        // Each fill keeps what is left coverable by the blocks still open, within the bounds,
        // so the block left in the middle is in bounds too.
        auto fill = [&](double wanted, int open) {
            const double lo = std::max(lowest, d / kBlock - (open - 1) * highest);
            const double hi = std::min(highest, d / kBlock - (open - 1) * lowest);
            return std::clamp(wanted, lo, std::max(lo, hi));
        };
        int lo = 0;
        int hi = k - 1;
        while (lo < hi) {
            const double g = d / ((hi - lo + 1) * kBlock);
            front = fill(front + kApproach * (g - front), hi - lo + 1);
            rates[lo++] = front;
            d -= kBlock * front;
            if (lo < hi) {
                back = fill(back + kApproach * (g - back), hi - lo + 1);
                rates[hi--] = back;
                d -= kBlock * back;
            }
        }
        rates[lo] = d / kBlock;
    }
    for (int i = 0; i < blocks; ++i) blockTempos_[i] = tempoOfRate(rates[i]);
}

double VTClockChase::blockTempo(int block) const {
    if (blockCount_ == 0) return 0.0;
    return blockTempos_[std::clamp(block, 0, blockCount_ - 1)];
}

void VTClockChase::applyBlockTempo(SGDynSigContext& context, int block) const {
    if (!syncLocked_.load() || blockCount_ == 0) return;
    const double bpm = blockTempo(block);
    if (sgIsUsableTempo(bpm)) context.setSamplesPerTick(sgSamplesPerTickFromTempo(bpm));
}
