#pragma once

#include <array>

#include "dsp/SGAllpass.h"
#include "dsp/SGComb.h"
#include "signal/SGDCBlocker.h"
#include "signal/SGSignal.h"

// A comb-and-all-pass reverberator, mono in, stereo out: four parallel feedback combs whose
// feedback sets the reverberation time, one all-pass in series, then two all-passes whose loop
// times differ by one per cent for the left and the right output. Every delay and every
// all-pass gain is fixed when the network is built; only the comb feedbacks change.
class SGCmixReverb {
public:
    // Loop times in seconds, kept in single precision.
    static constexpr std::array<float, 4> kCombLoopTimes{0.0297f, 0.0371f, 0.0411f, 0.0437f};
    static constexpr float kSeriesLoopTime = 0.005f;
    static constexpr float kOutputLoopTime = 0.0017f;
    // The right output's loop time is this much longer than the left's.
    static constexpr double kRightDetune = 1.01;

    SGCmixReverb();

    // The comb feedbacks for a fall of 60 dB in the given time; they glide there over one block.
    void setReverbTime(double seconds);

    // outL may be the same block as in; outR must be another.
    void process(const SGSignal& in, SGSignal& outL, SGSignal& outR);

    const SGComb& comb(int n) const { return combs_[n]; }
    const SGAllpass& seriesAllpass() const { return series_; }
    const SGAllpass& leftAllpass() const { return left_; }
    const SGAllpass& rightAllpass() const { return right_; }

private:
    std::array<SGComb, 4> combs_;
    SGAllpass series_;
    SGAllpass left_;
    SGAllpass right_;
    SGDCBlocker dcBlocker_;
    SGSignal dc_;
    SGSignal temp_;
    SGSignal sum_;
};
