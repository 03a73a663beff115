#include "dsp/SGTrigSplinePath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// One number that fills the whole field (blanks around it allowed), in the "." notation
// whatever the locale; false for an empty field, anything else in it, or a non-finite value.
bool readNumber(std::string_view field, double& value) {
    field = trimmed(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

// Single-precision snap of values too close to zero to matter.
float snapped(float v, float limit) { return (v > -limit && v < limit) ? 0.0f : v; }

}  // namespace

SGTrigSplinePath::SGTrigSplinePath(std::int32_t resolution)
    : resolution_(resolution > 1 ? resolution : 1),
      pointCount_(resolution_),  // one control point: n * (R div n) = R
      xs_(std::make_unique<float[]>(resolution_ + 1)),
      ys_(std::make_unique<float[]>(resolution_ + 1)) {
    // Trigonometric blending weights over a quarter turn; at t = 1 they are (0, 1, 0, 0) and at
    // t = 0 (0, 0, 1, 0), so the curve passes through its control points, and they sum to 1.
    for (std::int32_t i = 0; i <= kBasisSteps; ++i) {
        const float t = static_cast<float>(i) * 0.0009765625f;
        const auto s = static_cast<float>(std::sin(1.5707963 * t));
        const auto c = static_cast<float>(std::cos(1.5707963 * t));
        basis_[0][i] = 0.5f * c * (c - 1.0f);
        basis_[1][i] = 0.5f * s * (s + 1.0f);
        basis_[2][i] = 0.5f * c * (c + 1.0f);
        basis_[3][i] = 0.5f * s * (s - 1.0f);
    }
}

bool SGTrigSplinePath::parse(const char* text) {
    if (text == nullptr) return false;
    // Looks no further than one character past the longest text taken.
    return parse(std::string_view(text, strnlen(text, kMaxTextLength + 1)));
}

bool SGTrigSplinePath::parse(std::string_view text) {
    ControlPoints points;
    const std::int32_t n = readPoints(text, points);
    // The path needs at least one sampled point per control point.
    if (n == 0 || resolution_ / n == 0) return false;
    sample(points, n);
    return true;
}

std::int32_t SGTrigSplinePath::readPoints(std::string_view text, ControlPoints& points) {
    if (text.size() > kMaxTextLength) return 0;
    // A comma ends every number but the last; one comma after the last number is let pass.
    if (const auto last = trimmed(text); !last.empty() && last.back() == ',')
        text = last.substr(0, last.size() - 1);
    std::int32_t n = 0;
    std::size_t at = 0;
    while (true) {
        double xy[2];
        for (double& v : xy) {
            const std::size_t comma = std::min(text.find(',', at), text.size());
            if (at > text.size() || !readNumber(text.substr(at, comma - at), v)) return 0;
            if (std::fabs(v) > kMaxCoordinate) return 0;
            at = comma + 1;
        }
        if (n == kMaxControlPoints) return 0;
        points[n] = {static_cast<float>(xy[0]), static_cast<float>(xy[1])};
        n = n + 1;
        if (at > text.size()) break;  // the last number ended at the end of the text
    }
    return n >= kMinControlPoints ? n : 0;
}

void SGTrigSplinePath::sample(const ControlPoints& points, std::int32_t n) {
    const std::int32_t segLen = resolution_ / n;
    pointCount_ = n * segLen;
    controlCount_ = n;
    // The window of four points, oldest first, starts as (P[n-3], P[n-2], P[n-1]) and takes P[q]
    // as its fourth for segment q; segment q runs from P[q-2] towards P[q-1].
    Point w[4] = {{}, points[n - 3], points[n - 2], points[n - 1]};
    std::int32_t k = 0;
    for (std::int32_t q = 0; q < n; ++q) {
        w[0] = w[1];
        w[1] = w[2];
        w[2] = w[3];
        w[3] = points[q];
        for (std::int32_t l = 0; l < segLen; ++l) {
            const auto j =
                static_cast<std::int32_t>(1024.0 - (static_cast<double>(l) / segLen) * 1024.0);
            const float b0 = basis_[0][j], b1 = basis_[1][j], b2 = basis_[2][j], b3 = basis_[3][j];
            xs_[k] = w[0].x * b0 + w[1].x * b1 + w[2].x * b2 + w[3].x * b3;
            ys_[k] = w[0].y * b0 + w[1].y * b1 + w[2].y * b2 + w[3].y * b3;
            k = k + 1;
        }
    }
    xs_[pointCount_] = xs_[0];
    ys_[pointCount_] = ys_[0];
}

void SGTrigSplinePath::evaluate(float pos, float& x, float& y) const {
    const auto n = static_cast<float>(controlCount_);
    // Wrap into [0, n); a position many turns away takes the remainder rather than a long loop.
    if (!std::isfinite(pos)) pos = 0.0f;
    for (int k = 0; k < 4 && pos >= n; ++k) pos = pos - n;
    for (int k = 0; k < 4 && pos < 0.0f; ++k) pos = pos + n;
    if (pos >= n || pos < 0.0f) {
        pos = std::fmod(pos, n);
        if (pos < 0.0f) pos = pos + n;
    }
    const float p = pos / n * static_cast<float>(pointCount_);
    auto i = static_cast<std::int32_t>(p);
    // A position just below n can round up to the end of the table; the last interval takes it.
    if (i >= pointCount_) i = pointCount_ > 0 ? pointCount_ - 1 : 0;
    const float f = p - static_cast<float>(i);
    const float* xt = xs_.get();
    const float* yt = ys_.get();
    float px = snapped(xt[i] + (xt[i + 1] - xt[i]) * f, 0.001f);
    float py = snapped(yt[i] + (yt[i + 1] - yt[i]) * f, 0.001f);

    // Polar form with the one-argument arctangent; the sign of the radius carries the half-plane
    // it loses, and for x = 0 the angle is chosen to pair with the negative radius. Angle and
    // radius are rounded to single precision once rotated and scaled.
    double a;
    if (px != 0.0f)
        a = std::atan(static_cast<double>(py) / px);
    else
        a = py > 0.0f ? 1.5 * 3.1415926 : 0.5 * 3.1415926;
    const double r0 = std::sqrt(static_cast<double>(px) * px + static_cast<double>(py) * py) *
                      (px > 0.0f ? 1.0 : -1.0);
    const auto angle = static_cast<float>(a + rotation_);
    const auto r = static_cast<float>(r0 * scale_);

    y = snapped(static_cast<float>(std::sin(static_cast<double>(angle)) * r + offsetY_), 0.000001f);
    x = snapped(static_cast<float>(std::cos(static_cast<double>(angle)) * r + offsetX_), 0.000001f);
}
