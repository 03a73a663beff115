#include "params/SGValueFormat.h"

#include <cmath>

#include "params/SGTextIO.h"

namespace SGValueFormat {

std::string formatDecimals(double x, int d) {
    std::string s = SGTextIO::formatGeneral(x, 10);
    auto point = s.find('.');
    if (point == std::string::npos) return s + ".00";
    std::size_t end = point + 1 + static_cast<std::size_t>(d < 0 ? 0 : d);
    return end < s.size() ? s.substr(0, end) : s;
}

std::string formatSeconds(double x) { return formatDecimals(x, 2) + " (sec)"; }

std::string noteName(int n) {
    static const char* const names[12] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
    // Floor division, so a note below 0 still names a real key rather than reading outside the list.
    int octave = n >= 0 ? n / 12 : -((-n + 11) / 12);
    int step = n - octave * 12;
    return std::string(names[step]) + std::to_string(octave);
}

double noteFrequency(int n) { return std::pow(2.0, n / 12.0 + 3.0) * 1.021975; }

int noteNumber(double f) {
    if (!(f > 0)) return 0;  // no note below every audible frequency
    double n = (std::log(f * 0.9784975170625504) * 1.4426950420544162 - 3.0) * 12.0 + 0.5;
    if (n > 1e6) return 1000000;
    if (n < -1e6) return -1000000;
    return static_cast<int>(n);
}

NearestNote nearestNote(double f) {
    int n = noteNumber(f);
    return {n, std::fabs(noteFrequency(n) - f) < f * 0.0005};
}

}  // namespace SGValueFormat
