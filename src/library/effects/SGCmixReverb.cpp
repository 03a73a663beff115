#include "library/effects/SGCmixReverb.h"

#include <cmath>

namespace {

// Headroom of every ring beyond its loop time.
constexpr double kSpareSeconds = 0.1;

// The all-pass gains decay by 60 dB over this many loops' worth of the scale factor.
constexpr double kSeriesGainScale = 10.326844632622501;
constexpr double kOutputGainScale = 30.37298019681691;

// A section tuned to one loop time: its delay and gain take effect at once, as first targets.
template <class Section>
void tune(Section& section, double loopSeconds, double gain) {
    section.setFrequency(1.0 / loopSeconds);
    section.delay().setTarget(SGSampleRate * loopSeconds, SGBlockSize);
    section.feedback().setTarget(gain, SGBlockSize);
}

double allpassGain(double loopSeconds, double scale) {
    return std::pow(0.001, loopSeconds * scale);
}

}  // namespace

SGCmixReverb::SGCmixReverb()
    : combs_{SGComb(kCombLoopTimes[0] + kSpareSeconds), SGComb(kCombLoopTimes[1] + kSpareSeconds),
             SGComb(kCombLoopTimes[2] + kSpareSeconds), SGComb(kCombLoopTimes[3] + kSpareSeconds)},
      series_(kSeriesLoopTime + kSpareSeconds),
      left_(kOutputLoopTime + kSpareSeconds),
      right_(kOutputLoopTime * kRightDetune + kSpareSeconds) {
    for (std::size_t n = 0; n < combs_.size(); ++n) {
        const double loop = kCombLoopTimes[n];
        combs_[n].setFrequency(1.0 / loop);
        combs_[n].delay().setTarget(SGSampleRate * loop, SGBlockSize);
    }
    const double seriesLoop = kSeriesLoopTime;
    const double leftLoop = kOutputLoopTime;
    const double rightLoop = leftLoop * kRightDetune;
    tune(series_, seriesLoop, allpassGain(seriesLoop, kSeriesGainScale));
    tune(left_, leftLoop, allpassGain(leftLoop, kOutputGainScale));
    tune(right_, rightLoop, allpassGain(rightLoop, kOutputGainScale));
    setReverbTime(1.0);
}

void SGCmixReverb::setReverbTime(double seconds) {
    for (std::size_t n = 0; n < combs_.size(); ++n) {
        const double loop = kCombLoopTimes[n];
        combs_[n].feedback().setTarget(std::pow(0.001, loop / seconds), SGBlockSize);
    }
}

void SGCmixReverb::process(const SGSignal& in, SGSignal& outL, SGSignal& outR) {
    dc_.assign(in);
    dcBlocker_.processBlock(dc_);
    combs_[0].processBlockDelay(dc_, sum_);
    for (std::size_t n = 1; n < combs_.size(); ++n) {
        combs_[n].processBlockDelay(dc_, temp_);
        sum_.add(temp_);
    }
    series_.processBlockDelay(sum_, temp_);
    temp_.scale(0.25f);
    left_.processBlockDelay(temp_, outL);
    right_.processBlockDelay(temp_, outR);
}
