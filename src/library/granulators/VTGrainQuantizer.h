#pragma once

#include <cmath>
#include <cstdint>

#include "signal/SGClockTicks.h"
#include "signal/SGDynSigContext.h"

// The beat grid the granulators pull their grain onsets towards: the first grid point after
// the next whole tick, in samples from the block start, and the grid period. Inactive when the
// clock stands, when there is no pull, when the grid has no positive length or the clock speed
// is unusable.
struct VTGrainQuantizer {
    bool active = false;
    double first = 0.0;
    double period = 0.0;
    double amount = 0.0;

    void setUp(const SGDynSigContext* context, double pull, std::int32_t clocks) {
        active = false;
        if (context == nullptr || !context->isClockRunning() || pull == 0.0 || clocks <= 0) return;
        const double position = context->clockPosition();
        const double spt = context->samplesPerTick();
        if (!std::isfinite(position) || !(spt > 0.0) || !std::isfinite(spt)) return;
        const double t = std::ceil(position);
        if (std::fabs(t) > 9.0e15) return;
        const std::int64_t qc = clocks;
        const std::int64_t tm = sgTickInPattern(static_cast<std::int64_t>(t), qc);
        first = spt * static_cast<double>(qc - tm) + (t - position) * spt;
        period = static_cast<double>(qc) * spt;
        amount = pull;
        active = true;
    }

    // The onset w pulled towards the next grid point at or after it.
    std::uint32_t pull(std::uint32_t w) const {
        if (!active) return w;
        double q = first;
        const double wd = w;
        // The grid point lies within one period of the block; the division keeps a long wait
        // for a slow grid from turning into a long loop.
        if (wd > q) q += std::ceil((wd - q) / period) * period;
        const double pulled = std::trunc(wd + (q - wd) * amount);
        return pulled > 0.0 ? static_cast<std::uint32_t>(pulled) : 0u;
    }
};
