#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "signal/SGDCBlocker.h"
#include "signal/SGGainSmoother.h"
#include "signal/SGNoise.h"
#include "signal/SGSignal.h"

namespace {

SGSignal ramp(float start, float step) {
    SGSignal s;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) s[i] = start + step * static_cast<float>(i);
    return s;
}

struct BlockCase {
    const char* name;
    std::function<void(SGSignal& a, const SGSignal& b, const SGSignal& d)> op;
    std::function<float(float a, float b, float d)> expected;
};

TEST(SGSignal, EveryOperationGivesTheSingleRoundedResultPerSample) {
    const float c = 0.3f;
    const BlockCase cases[] = {
        {"assign", [](SGSignal& a, auto& b, auto&) { a.assign(b); }, [](float, float b, float) { return b; }},
        {"fill", [&](SGSignal& a, auto&, auto&) { a.fill(c); }, [&](float, float, float) { return c; }},
        {"add", [](SGSignal& a, auto& b, auto&) { a.add(b); }, [](float a, float b, float) { return a + b; }},
        {"addConstant", [&](SGSignal& a, auto&, auto&) { a.addConstant(c); },
         [&](float a, float, float) { return a + c; }},
        {"subtract", [](SGSignal& a, auto& b, auto&) { a.subtract(b); },
         [](float a, float b, float) { return a - b; }},
        {"subtractConstant", [&](SGSignal& a, auto&, auto&) { a.subtractConstant(c); },
         [&](float a, float, float) { return a - c; }},
        {"multiply", [](SGSignal& a, auto& b, auto&) { a.multiply(b); },
         [](float a, float b, float) { return a * b; }},
        {"scale", [&](SGSignal& a, auto&, auto&) { a.scale(c); }, [&](float a, float, float) { return a * c; }},
        {"divide", [](SGSignal& a, auto& b, auto&) { a.divide(b); }, [](float a, float b, float) { return a / b; }},
        {"divideConstant", [&](SGSignal& a, auto&, auto&) { a.divideConstant(c); },
         [&](float a, float, float) { return a / c; }},
        {"addScaled", [&](SGSignal& a, auto& b, auto&) { a.addScaled(b, c); },
         [&](float a, float b, float) { return a + b * c; }},
        {"addScaled(c,b)", [&](SGSignal& a, auto& b, auto&) { a.addScaled(c, b); },
         [&](float a, float b, float) { return a + b * c; }},
        {"addProduct", [](SGSignal& a, auto& b, auto& d) { a.addProduct(b, d); },
         [](float a, float b, float d) { return a + b * d; }},
        {"assignScaled", [&](SGSignal& a, auto& b, auto&) { a.assignScaled(b, c); },
         [&](float, float b, float) { return b * c; }},
        {"assignProduct", [](SGSignal& a, auto& b, auto& d) { a.assignProduct(b, d); },
         [](float, float b, float d) { return b * d; }},
    };
    const SGSignal b = ramp(1.1f, 0.37f);
    const SGSignal d = ramp(-2.0f, 0.011f);
    for (const auto& k : cases) {
        SGSignal a = ramp(0.7f, -0.13f);
        const SGSignal before = a;
        k.op(a, b, d);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            volatile float want = k.expected(before[i], b[i], d[i]);  // rounded to float
            ASSERT_EQ(a[i], want) << k.name << " sample " << i;
        }
    }
}

TEST(SGSignal, SameBlockOnBothSidesWorksSampleBySample) {
    SGSignal a = ramp(1.0f, 1.0f);
    a.addScaled(a, 1.0f);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) EXPECT_EQ(a[i], 2.0f * (1.0f + static_cast<float>(i)));
    a.multiply(a);
    EXPECT_EQ(a[1], 16.0f);
}

TEST(SGSignal, CopiesCopyTheSamples) {
    SGSignal a(2.0f);
    SGSignal b(a);
    b.fill(3.0f);
    EXPECT_EQ(a[5], 2.0f);
    SGSignal c;
    c = b;
    b.fill(4.0f);
    EXPECT_EQ(c[255], 3.0f);
    SGSignal moved(std::move(c));
    EXPECT_EQ(moved[0], 3.0f);
    c = moved;  // a moved-from block gets storage again when assigned
    EXPECT_EQ(c[0], 3.0f);
}

TEST(SGZeroSignal, IsAllZero) {
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(SGZeroSignal[i], 0.0f);
}

TEST(SGNoise, StreamFollowsTheGenerator) {
    SGNoise n;
    n.seed = 0;
    EXPECT_EQ(n.next(), 0.0);
    EXPECT_EQ(n.seed, 12345);
    // The next value comes from the top 15 bits of 12345 (0), then the seed steps again.
    EXPECT_EQ(n.next(), 0.0);
    EXPECT_EQ(n.seed, static_cast<std::int32_t>(12345u * 1103515245u + 12345u));

    SGNoise d;  // default seed 0x5ff70000: the first value is 0x5ff7 / 32768
    EXPECT_DOUBLE_EQ(d.next(), 0x5ff7 / 32768.0);
}

TEST(SGNoise, RangeMinusOneToOneNeverReachesOne) {
    SGNoise n;
    n.setRange(-1.0, 1.0);
    double lo = 1, hi = -1;
    for (int i = 0; i < 200000; ++i) {
        double v = n.next();
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_GE(lo, -1.0);
    EXPECT_LT(hi, 1.0);
    EXPECT_LE(hi, -1.0 + 2.0 * 32767.0 / 32768.0);
}

TEST(SGNoise, BlockFormsMatchNext) {
    SGNoise a, b;
    a.seed = b.seed = 987654;
    SGSignal block(0.5f);
    a.addToBlock(block);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(block[i], 0.5f + static_cast<float>(b.next()));
    SGSignal filled;
    a.fillBlock(filled);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(filled[i], static_cast<float>(b.next()));
}

TEST(SGNoise, SeedFromClockKeepsFifteenBitsInTheTopHalf) {
    SGNoise n;
    n.seedFromClock();
    EXPECT_EQ(n.seed & 0xffff, 0);
    EXPECT_GE(n.seed, 0);
}

TEST(SGGainSmoother, PoleComesFromTheCutoff) {
    SGGainSmoother s(20.0);
    double w = 6.2831852 * 20.0 / 44100.0;
    double c = 2.0 - std::cos(w);
    EXPECT_EQ(s.pole, static_cast<float>(c - std::sqrt(c * c - 1.0)));
    EXPECT_EQ(s.inputGain, 1.0f - s.pole);
    EXPECT_GT(s.pole, 0.99f);
    EXPECT_LT(s.pole, 1.0f);
}

TEST(SGGainSmoother, ApproachesTheTargetAndSettlesAtExactSilence) {
    SGGainSmoother s(20.0);
    SGSignal one(1.0f), out;
    s.setTarget(1.0);
    s.applyTo(one, out);
    EXPECT_EQ(out[0], s.inputGain * 1.0f);  // first step from 0
    EXPECT_GT(out[255], out[0]);
    for (int i = 0; i < 200; ++i) s.applyTo(one, out);
    EXPECT_NEAR(out[255], 1.0f, 1e-4f);  // single-precision steps settle just below 1

    s.setTarget(0.0);
    for (int i = 0; i < 400 && s.current != 0.0f; ++i) s.applyTo(one, out);
    EXPECT_EQ(s.current, 0.0f);
}

TEST(SGGainSmoother, AddToAccumulatesAndMayWorkInPlace) {
    SGGainSmoother a(5.0), b(5.0);
    a.setTarget(0.5);
    b.setTarget(0.5);
    SGSignal in = ramp(0.0f, 0.01f), acc(1.0f), applied;
    a.addTo(in, acc);
    b.applyTo(in, applied);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(acc[i], 1.0f + applied[i]);
    SGSignal inPlace = in;
    SGGainSmoother c(5.0);
    c.setTarget(0.5);
    c.applyTo(inPlace, inPlace);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(inPlace[i], applied[i]);
}

TEST(SGDCBlocker, UsesTheExactCoefficients) {
    EXPECT_FLOAT_EQ(SGDCBlocker::kA, 0.999827f);
    EXPECT_FLOAT_EQ(SGDCBlocker::kB, 0.999655f);
    SGDCBlocker f;
    EXPECT_EQ(f.step(1.0f), SGDCBlocker::kA);
    float y2 = SGDCBlocker::kA * 1.0f - SGDCBlocker::kA * 1.0f + SGDCBlocker::kB * SGDCBlocker::kA;
    EXPECT_EQ(f.step(1.0f), y2);
}

TEST(SGDCBlocker, RemovesDcAndPassesTheHighestFrequency) {
    SGDCBlocker dc;
    float y = 0;
    for (int i = 0; i < 44100; ++i) y = dc.step(1.0f);
    EXPECT_LT(std::fabs(y), 0.01f);

    SGDCBlocker ac;
    float peak = 0;
    for (int i = 0; i < 44100; ++i) {
        float v = ac.step(i % 2 ? -1.0f : 1.0f);
        if (i > 44000) peak = std::max(peak, std::fabs(v));
    }
    EXPECT_GT(peak, 0.99f);
}

TEST(SGDCBlocker, BlockFormMatchesSteps) {
    SGDCBlocker a, b;
    SGSignal s = ramp(0.5f, 0.01f);
    SGSignal copy = s;
    a.processBlock(s);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) ASSERT_EQ(s[i], b.step(copy[i]));
}

}  // namespace
