#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "dsp/SGTrigSplinePath.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr const char* kDefaultPath = "0,0.5, -0.5,-0.2, 0.5,-0.2";

struct XY {
    float x, y;
};

XY at(const SGTrigSplinePath& path, float position) {
    XY p{};
    path.evaluate(position, p.x, p.y);
    return p;
}

// n points evenly on a circle of radius 0.8, in the editor's text form.
std::string circle(int n) {
    std::string text;
    for (int k = 0; k < n; ++k) {
        const double a = 2.0 * 3.14159265358979 * k / n;
        if (k > 0) text += ", ";
        text += std::to_string(0.8 * std::cos(a)) + "," + std::to_string(0.8 * std::sin(a));
    }
    return text;
}

TEST(SGTrigSplinePath, TheBasisPassesThroughTheControlPointsAndSumsToOne) {
    SGTrigSplinePath path(2048);
    const float end[] = {0.0f, 1.0f, 0.0f, 0.0f};    // t = 1
    const float start[] = {0.0f, 0.0f, 1.0f, 0.0f};  // t = 0
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(path.basis(k, 1024), end[k], 1e-7) << k;
        EXPECT_NEAR(path.basis(k, 0), start[k], 1e-7) << k;
    }
    for (std::int32_t i = 0; i <= 1024; ++i) {
        const float sum = path.basis(0, i) + path.basis(1, i) + path.basis(2, i) + path.basis(3, i);
        ASSERT_NEAR(sum, 1.0f, 2e-7) << i;
    }
}

TEST(SGTrigSplinePath, BeforeAnyParseItGivesTheOffsetPoint) {
    SGTrigSplinePath path(2048);
    EXPECT_EQ(path.controlPointCount(), 1);
    EXPECT_EQ(at(path, 0.0f).x, 0.0f);
    EXPECT_EQ(at(path, 0.7f).y, 0.0f);
    path.setOffset(0.3f, -0.4f);
    path.setRotation(1.0);
    path.setScale(3.0);
    for (float pos : {0.0f, 0.25f, 0.999f, 5.5f, -2.0f}) {
        EXPECT_FLOAT_EQ(at(path, pos).x, 0.3f) << pos;
        EXPECT_FLOAT_EQ(at(path, pos).y, -0.4f) << pos;
    }
}

TEST(SGTrigSplinePath, TheDefaultPathIsSampledAndEvaluatedAsDescribed) {
    SGTrigSplinePath path(2048);
    ASSERT_TRUE(path.parse(kDefaultPath));
    EXPECT_EQ(path.controlPointCount(), 3);
    EXPECT_EQ(path.pointCount(), 2046);  // 3 segments of 682
    EXPECT_EQ(path.xs()[2046], path.xs()[0]);
    EXPECT_EQ(path.ys()[2046], path.ys()[0]);
    struct Case {
        float position, x, y, tolerance;
    };
    const Case cases[] = {
        {0.0f, -0.5f, -0.2f, 1e-6f},  // the path starts at control point n - 2
        {1.0f, 0.5f, -0.2f, 1e-5f},   {2.0f, 0.0f, 0.5f, 1e-5f},  {0.5f, 0.0f, -0.345f, 1e-3f},
        {3.0f, -0.5f, -0.2f, 1e-6f},  {-1.0f, 0.0f, 0.5f, 1e-5f}, {4.0f, 0.5f, -0.2f, 1e-5f},
        {301.0f, 0.5f, -0.2f, 1e-4f},
    };
    for (const Case& c : cases) {
        const XY p = at(path, c.position);
        EXPECT_NEAR(p.x, c.x, c.tolerance) << c.position;
        EXPECT_NEAR(p.y, c.y, c.tolerance) << c.position;
    }
    EXPECT_EQ(at(path, 3.0f).x, at(path, 0.0f).x);
    EXPECT_EQ(at(path, 3.0f).y, at(path, 0.0f).y);
    // Snapped to zero: the point above the middle of the bottom edge lies on the y axis.
    EXPECT_EQ(at(path, 0.5f).x, 0.0f);
}

TEST(SGTrigSplinePath, EachSegmentStartsAtItsControlPoint) {
    SGTrigSplinePath path(2048);
    ASSERT_TRUE(path.parse("0.1,0.2, 0.3,-0.4, -0.5,0.6, 0.7,0.8, -0.9,-0.1"));
    const std::int32_t segLen = 2048 / 5;
    EXPECT_EQ(path.pointCount(), 5 * segLen);
    const float xs[] = {0.1f, 0.3f, -0.5f, 0.7f, -0.9f};
    const float ys[] = {0.2f, -0.4f, 0.6f, 0.8f, -0.1f};
    for (int q = 0; q < 5; ++q) {
        const int k = (q + 3) % 5;  // segment q starts at point q - 2
        EXPECT_NEAR(path.xs()[q * segLen], xs[k], 1e-6) << q;
        EXPECT_NEAR(path.ys()[q * segLen], ys[k], 1e-6) << q;
        // Position q is the start of segment q.
        EXPECT_NEAR(at(path, static_cast<float>(q)).x, xs[k], 1e-5) << q;
        EXPECT_NEAR(at(path, static_cast<float>(q)).y, ys[k], 1e-5) << q;
    }
}

TEST(SGTrigSplinePath, RotationScaleAndOffsetApplyAboutTheOrigin) {
    SGTrigSplinePath path(2048);
    // Starts at its second point.
    ASSERT_TRUE(path.parse("0,1, 1,0, 0,-1"));
    XY p = at(path, 0.0f);
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.y, 0.0f);
    path.setRotation(1.5707963);
    path.setScale(2.0);
    p = at(path, 0.0f);
    EXPECT_EQ(p.x, 0.0f);  // about 1e-7 before the snap
    EXPECT_FLOAT_EQ(p.y, 2.0f);
    path.setOffset(0.25f, -0.5f);
    p = at(path, 0.0f);
    EXPECT_NEAR(p.x, 0.25f, 1e-6);  // the 1.5e-7 left over is kept once offset
    EXPECT_FLOAT_EQ(p.y, 1.5f);

    // The left half-plane survives the one-argument arctangent.
    SGTrigSplinePath left(2048);
    ASSERT_TRUE(left.parse("0,1, -1,0, 0,-1"));
    p = at(left, 0.0f);
    EXPECT_EQ(p.x, -1.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_FALSE(std::signbit(p.y));
    // And so do points on the y axis, above and below.
    SGTrigSplinePath axis(2048);
    ASSERT_TRUE(axis.parse("1,0, 0,0.75, -1,0, 0,-0.75"));  // position 3 is (0, 0.75)
    p = at(axis, 3.0f);
    EXPECT_NEAR(p.x, 0.0f, 1e-6);
    EXPECT_NEAR(p.y, 0.75f, 1e-6);
    p = at(axis, 1.0f);
    EXPECT_NEAR(p.x, 0.0f, 1e-6);
    EXPECT_NEAR(p.y, -0.75f, 1e-6);
}

TEST(SGTrigSplinePath, ParsesTheTextFormsAUserOrTheEditorWrites) {
    struct Case {
        std::string text;
        std::int32_t points;
    };
    const Case cases[] = {
        {kDefaultPath, 3},
        {"0,0.5,-0.5,-0.2,0.5,-0.2", 3},
        {"  0 , 0.5 ,\t-0.5,  -0.2, 0.5,-0.2  ", 3},
        {"+0.1,5e-1, -5E-1,-0.2, .5,-0.2", 3},
        {"0,0.5, -0.5,-0.2, 0.5,-0.2,", 3},  // a comma after the last number
        {"1,1, 2,2, 3,3, 4,4", 4},
        {circle(100), 100},
    };
    for (const Case& c : cases) {
        SGTrigSplinePath path(2048);
        EXPECT_TRUE(path.parse(c.text)) << c.text;
        EXPECT_EQ(path.controlPointCount(), c.points) << c.text;
        EXPECT_EQ(path.pointCount(), c.points * (2048 / c.points)) << c.text;
    }
    SGTrigSplinePath path(2048);
    ASSERT_TRUE(path.parse("+0.1,5e-1, -5E-1,-0.2, .5,-0.2"));
    SGTrigSplinePath same(2048);
    ASSERT_TRUE(same.parse("0.1,0.5, -0.5,-0.2, 0.5,-0.2"));
    for (std::int32_t k = 0; k <= path.pointCount(); ++k) ASSERT_EQ(path.xs()[k], same.xs()[k]);
}

TEST(SGTrigSplinePath, DamagedTextLeavesThePathAsItWas) {
    const std::string overlong = kDefaultPath + std::string(SGTrigSplinePath::kMaxTextLength, ' ');
    const std::string cases[] = {
        "",
        "   ",
        "0,0.5, -0.5,-0.2",                               // two points
        circle(101),                                      // too many
        "0,0.5, -0.5,-0.2, 0.5",                          // odd count of numbers
        "0,0.5, -0.5,-0.2, 0.5,",                         // odd, with a comma after it
        "0,0.5,, -0.5,-0.2, 0.5,-0.2",                    // a missing number
        ",0,0.5, -0.5,-0.2, 0.5,-0.2",                    // a missing first number
        "0,0.5, -0.5,-0.2, 0.5,-0.2,,",                   // two commas at the end
        "0,0.5, -0.5,x, 0.5,-0.2",                        // garbage
        "0,0.5, -0.5,-0.2abc, 0.5,-0.2",                  // garbage after a number
        "0,0.5, -0.5,- 0.2, 0.5,-0.2",                    // a sign apart from its number
        "0,0.5, -0.5,0x10, 0.5,-0.2",                     // not decimal
        "0,0.5, -0.5,1 2, 0.5,-0.2",                      // two numbers in one place
        "0;0.5; -0.5;-0.2; 0.5;-0.2",                     // other separators
        "0,0.5, -0.5,-0.2, 0.5,nan",                      // not a number
        "0,0.5, -0.5,inf, 0.5,-0.2",                      // infinite
        "0,0.5, -0.5,1e400, 0.5,-0.2",                    // beyond double
        "0,0.5, -0.5,2e6, 0.5,-0.2",                      // beyond any sensible coordinate
        "0,0.5, -0.5,-0.2, 0.5,-0.2, 1,",                 // a pair cut short
        std::string("0,0.5, -0.5,\0-0.2, 0.5,-0.2", 28),  // a stray terminator
        overlong,
    };
    for (const std::string& text : cases) {
        SGTrigSplinePath path(2048);
        ASSERT_TRUE(path.parse("0.1,0.1, 0.2,0.4, -0.3,0.2, 0.4,-0.4"));
        const std::vector<float> xs(path.xs(), path.xs() + 2049);
        const XY before = at(path, 1.3f);
        EXPECT_FALSE(path.parse(text)) << '"' << text << '"';
        EXPECT_EQ(path.controlPointCount(), 4) << text;
        EXPECT_EQ(path.pointCount(), 2048) << text;
        EXPECT_EQ(std::vector<float>(path.xs(), path.xs() + 2049), xs) << text;
        EXPECT_EQ(at(path, 1.3f).x, before.x) << text;
        EXPECT_EQ(at(path, 1.3f).y, before.y) << text;
    }
    SGTrigSplinePath path(2048);
    EXPECT_FALSE(path.parse(static_cast<const char*>(nullptr)));
    EXPECT_EQ(path.controlPointCount(), 1);
}

TEST(SGTrigSplinePath, UnterminatedTextIsReadOnlyWithinItsLength) {
    // A text without a terminator, right at the end of its allocation: the sanitizer build
    // reports any read past it.
    const std::string text = kDefaultPath;
    auto exact = std::make_unique<char[]>(text.size());
    std::memcpy(exact.get(), text.data(), text.size());
    SGTrigSplinePath path(2048);
    EXPECT_TRUE(path.parse(std::string_view(exact.get(), text.size())));
    EXPECT_EQ(path.controlPointCount(), 3);
    // Cut in the middle of the last number, and before it.
    EXPECT_TRUE(path.parse(std::string_view(exact.get(), text.size() - 1)));   // "...,-0."
    EXPECT_FALSE(path.parse(std::string_view(exact.get(), text.size() - 4)));  // "..., 0.5,"
    EXPECT_FALSE(path.parse(std::string_view(exact.get(), 0)));
}

TEST(SGTrigSplinePath, ResolutionLimitsThePointsAPathCanHave) {
    SGTrigSplinePath small(4);
    EXPECT_TRUE(small.parse("0,1, 1,0, 0,-1, -1,0"));
    EXPECT_EQ(small.pointCount(), 4);
    EXPECT_FALSE(small.parse("0,1, 1,0, 0,-1, -1,0, 0.5,0.5"));  // fewer samples than points
    EXPECT_EQ(small.controlPointCount(), 4);
    SGTrigSplinePath tiny(0);  // taken as one point
    EXPECT_EQ(tiny.resolution(), 1);
    EXPECT_FALSE(tiny.parse(kDefaultPath));
    EXPECT_EQ(at(tiny, 0.5f).x, 0.0f);
}

TEST(SGTrigSplinePath, AnyPositionEvaluatesInsideThePath) {
    // Resolutions that the point count divides, so the last sampled point is the last entry.
    for (std::int32_t resolution : {2048, 2049, 2100, 3}) {
        SGTrigSplinePath path(resolution);
        ASSERT_TRUE(path.parse(kDefaultPath));
        const float n = 3.0f;
        const float positions[] = {std::nextafter(n, 0.0f),
                                   std::nextafter(0.0f, -1.0f),
                                   -std::nextafter(n, 0.0f),
                                   1e30f,
                                   -1e30f,
                                   3e7f + 0.5f,
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   std::nanf(""),
                                   std::numeric_limits<float>::denorm_min()};
        for (float pos : positions) {
            const XY p = at(path, pos);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << resolution << " " << pos;
            EXPECT_LE(std::fabs(p.x), 1.0f) << pos;
            EXPECT_LE(std::fabs(p.y), 1.0f) << pos;
        }
        // Just below the end is just before the start again.
        const XY end = at(path, std::nextafter(n, 0.0f));
        const XY start = at(path, 0.0f);
        EXPECT_NEAR(end.x, start.x, 0.01) << resolution;
        EXPECT_NEAR(end.y, start.y, 0.01) << resolution;
    }
}

TEST(SGTrigSplinePath, ParsingAndEvaluatingAllocateNothing) {
    SGTrigSplinePath path(2048);
    const std::string hundred = circle(100);
    float x = 0.0f, y = 0.0f, sum = 0.0f;
    EXPECT_NO_AUDIO_ALLOCATION({
        EXPECT_TRUE(path.parse(kDefaultPath));
        EXPECT_TRUE(path.parse(hundred));
        EXPECT_FALSE(path.parse("1,2,x"));
        for (int k = 0; k < 1000; ++k) {
            path.evaluate(k * 0.137f, x, y);
            sum += x + y;
        }
    });
    EXPECT_TRUE(std::isfinite(sum));
}

}  // namespace
