#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

// A closed, smooth path through a short list of 2-D control points, the trajectory of a moving
// sound source. The path is sampled once per parse into a table of points; evaluate() then
// interpolates a position along it, rotates and scales the point about the origin and moves it
// by the offset. Positions run over [0, n), one unit per control point, and wrap.
//
// The text form is "x0,y0, x1,y1, ..." with 3 to 100 points. parse() allocates nothing and may
// run on the audio thread; text it cannot take whole leaves the path as it was.
class SGTrigSplinePath {
public:
    static constexpr std::int32_t kMinControlPoints = 3;
    static constexpr std::int32_t kMaxControlPoints = 100;
    // Longer texts are refused unread; a hundred points in full precision need a fraction.
    static constexpr std::size_t kMaxTextLength = 16384;
    // Coordinates beyond this magnitude are refused, so the path arithmetic stays finite.
    static constexpr double kMaxCoordinate = 1.0e6;
    static constexpr std::int32_t kBasisSteps = 1024;

    explicit SGTrigSplinePath(std::int32_t resolution);
    SGTrigSplinePath(const SGTrigSplinePath&) = delete;
    SGTrigSplinePath& operator=(const SGTrigSplinePath&) = delete;

    // Builds the path from the text; false (path unchanged) for a text that is missing, too long,
    // holds something other than numbers between its commas, an odd count of numbers, fewer than
    // 3 or more than 100 points, or more points than the resolution.
    bool parse(std::string_view text);
    bool parse(const char* text);

    void evaluate(float position, float& x, float& y) const;

    void setOffset(float x, float y) {
        offsetX_ = x;
        offsetY_ = y;
    }
    void setRotation(double radians) { rotation_ = radians; }
    void setScale(double factor) { scale_ = factor; }

    std::int32_t controlPointCount() const { return controlCount_; }
    std::int32_t resolution() const { return resolution_; }
    std::int32_t pointCount() const { return pointCount_; }
    const float* xs() const { return xs_.get(); }
    const float* ys() const { return ys_.get(); }
    // Blending weight k (0 ... 3) of the four-point window at basis step i (0 ... 1024).
    float basis(int k, std::int32_t i) const { return basis_[k][i]; }

private:
    struct Point {
        float x, y;
    };
    using ControlPoints = std::array<Point, kMaxControlPoints>;

    // Reads the text into points; gives the count, or 0 when the text is not a valid path.
    static std::int32_t readPoints(std::string_view text, ControlPoints& points);
    void sample(const ControlPoints& points, std::int32_t n);

    std::int32_t resolution_;
    std::int32_t pointCount_;
    std::int32_t controlCount_ = 1;
    std::unique_ptr<float[]> xs_;
    std::unique_ptr<float[]> ys_;
    float offsetX_ = 0.0f;
    float offsetY_ = 0.0f;
    double rotation_ = 0.0;
    double scale_ = 1.0;
    std::array<std::array<float, kBasisSteps + 1>, 4> basis_;
};
