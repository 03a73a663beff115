#include "params/SGPropertyUnits.h"

#include <cmath>
#include <cstdio>

#include "params/SGTextIO.h"

#define SG_UNITS_INSTANCE(Name)            \
    const Name* Name::instance() {         \
        static const Name units;           \
        return &units;                     \
    }

SG_UNITS_INSTANCE(SGAbstractUnits)
SG_UNITS_INSTANCE(SGVolumeUnits)
SG_UNITS_INSTANCE(SGFrequencyUnits)
SG_UNITS_INSTANCE(SGGainUnits)
SG_UNITS_INSTANCE(SGDecibelUnits)
SG_UNITS_INSTANCE(SGFractionUnits)
SG_UNITS_INSTANCE(SGPanningUnits)
SG_UNITS_INSTANCE(SGTranspositionUnits)
SG_UNITS_INSTANCE(SGTimeMillisecondsUnits)
SG_UNITS_INSTANCE(SGTimeSecondsUnits)

#undef SG_UNITS_INSTANCE

namespace {

using SGTextIO::formatFixed;

// "%+.2f": the sign is always shown.
std::string signedFixed2(double v) {
    std::string s = formatFixed(v, 2);
    return (s.empty() || s[0] == '-') ? s : "+" + s;
}

// Whole numbers shown by the units stay inside the integer range whatever the value.
long long clampedWhole(double v) {
    if (!(v > -1e15)) return -1000000000000000LL;
    if (!(v < 1e15)) return 1000000000000000LL;
    return static_cast<long long>(v);
}

std::string rightAligned3(long long n) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%3lld", n);
    return buffer;
}

}  // namespace

std::string SGAbstractUnits::format(double v) const { return formatFixed(v, 2); }
std::string SGAbstractUnits::sampleText(double, double max) const { return format(max); }

std::string SGVolumeUnits::format(double v) const { return formatFixed(v, 2); }
std::string SGVolumeUnits::sampleText(double, double max) const { return format(max); }

std::string SGFrequencyUnits::format(double v) const { return formatFixed(v, 2) + " Hz"; }
std::string SGFrequencyUnits::sampleText(double, double max) const { return format(max); }

std::string SGGainUnits::format(double v) const {
    if (v > 0) return signedFixed2(20.0 * std::log10(v)) + " dB";
    return "-oo dB";
}
std::string SGGainUnits::sampleText(double, double) const { return "+999.99 db"; }

std::string SGDecibelUnits::format(double v) const { return signedFixed2(v) + " dB"; }
std::string SGDecibelUnits::sampleText(double min, double max) const {
    return -max > min ? format(min) : format(-max);
}

std::string SGFractionUnits::format(double v) const {
    return std::to_string(clampedWhole(std::floor(v * 100.0 + 0.5))) + "%";
}
std::string SGFractionUnits::sampleText(double, double) const { return "100%"; }

std::string SGPanningUnits::format(double v) const {
    long long a = clampedWhole(v * 200.0);
    if (a < 100) return "< " + rightAligned3(100 - a) + "%";
    if (a == 100) return "  ><  ";
    return rightAligned3(a - 100) + "% >";
}
std::string SGPanningUnits::sampleText(double, double) const { return "< 999%"; }

std::string SGTranspositionUnits::format(double v) const {
    // The ratio in cents; a ratio of zero or less has none and shows as the lowest value.
    double cents = v > 0 ? std::floor(std::log(v) / std::log(1.000577789507) + 0.5) : -1e15;
    return std::to_string(clampedWhole(cents)) + " cents";
}
std::string SGTranspositionUnits::sampleText(double min, double max) const {
    double m = min >= 1 ? min : 1.0 / min;
    return max > m ? format(max) : format(min);
}

std::string SGTimeMillisecondsUnits::format(double v) const { return formatFixed(v, 6) + " ms"; }
std::string SGTimeMillisecondsUnits::sampleText(double, double max) const { return format(max); }

std::string SGTimeSecondsUnits::format(double v) const { return formatFixed(v, 6) + " secs"; }
std::string SGTimeSecondsUnits::sampleText(double, double max) const { return format(max); }
