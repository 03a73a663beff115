#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "dsp/SGFunctionTable.h"
#include "dsp/SGTableFunction.h"

namespace {

constexpr std::uint32_t kN = 1024;

TEST(SGFunctionTable, ANewTableIsAllZerosGuardIncludedAndNormalisingKeepsItSo) {
    SGFunctionTable t(kN);
    ASSERT_EQ(t.size(), kN);
    for (std::uint32_t i = 0; i <= kN; ++i) ASSERT_EQ(t.data()[i], 0.0f) << i;
    t.normalise(1.0f);
    for (std::uint32_t i = 0; i <= kN; ++i) ASSERT_EQ(t.data()[i], 0.0f) << i;
}

TEST(SGFunctionTable, AddHarmonicMakesASineWithTheGuardEqualToTheFirstEntry) {
    SGFunctionTable t(kN);
    t.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f);
    const float* d = t.data();
    EXPECT_NEAR(d[256], 1.0f, 1e-6f);
    EXPECT_NEAR(d[768], -1.0f, 1e-6f);
    EXPECT_EQ(d[0], 0.0f);
    EXPECT_EQ(d[kN], d[0]);
    // The half-way entry shows the shortened pi that every stored table was made with:
    // sin(3.1415926) is 5.36e-8 where sin of the full-precision pi would give 1e-16.
    EXPECT_NEAR(d[512], 5.358979e-8f, 1e-12f);
}

TEST(SGFunctionTable, PhaseInDegreesTurnsTheSineIntoACosine) {
    SGFunctionTable t(kN);
    t.addHarmonic(1.0f, 1.0f, 90.0f, 0.0f);
    EXPECT_NEAR(t.data()[0], 1.0f, 1e-6f);
    EXPECT_NEAR(t.data()[512], -1.0f, 1e-6f);
    EXPECT_EQ(t.data()[kN], t.data()[0]);
}

TEST(SGFunctionTable, PartialsAndOffsetsAddUp) {
    SGFunctionTable t(kN);
    t.addHarmonic(1.0f, 0.5f, 0.0f, 0.0f);
    t.addHarmonic(3.0f, 0.25f, 0.0f, 0.125f);  // the offset shifts every entry
    const float* d = t.data();
    for (std::uint32_t i : {0u, 100u, 256u, 333u, 1023u}) {
        const double x = i / 1024.0 * 3.1415926 * 2.0;
        EXPECT_NEAR(d[i], 0.5 * std::sin(x) + 0.25 * std::sin(3.0 * x) + 0.125, 1e-6) << i;
    }
    EXPECT_EQ(d[kN], d[0]);
    EXPECT_EQ(d[0], 0.125f);
}

TEST(SGFunctionTable, NormaliseScalesTheLargestMagnitudeToThePeak) {
    SGFunctionTable t(8);
    const float values[] = {0.5f, -4.0f, 2.0f, 1.0f, 0.0f, -1.0f, 3.0f, 0.25f};
    for (int i = 0; i < 8; ++i) t.data()[i] = values[i];
    t.normalise(0.8f);
    const float* d = t.data();
    EXPECT_FLOAT_EQ(d[1], -0.8f);  // the largest magnitude was negative
    EXPECT_FLOAT_EQ(d[6], 0.6f);
    EXPECT_FLOAT_EQ(d[0], 0.1f);
    EXPECT_EQ(d[4], 0.0f);
    EXPECT_EQ(d[8], d[0]);
}

TEST(SGFunctionTable, PanCurveRunsFromOneOverItsBulgeDownToZero) {
    SGFunctionTable t(kN);
    t.data()[kN] = 123.0f;  // overwritten: the curve sets its own end value
    t.fillPanCurve();
    const float* d = t.data();
    EXPECT_NEAR(d[0], 1.0f, 1e-6f);
    EXPECT_NEAR(d[256], 1.2071068f, 1e-6f);
    EXPECT_NEAR(d[512], 1.0f, 1e-6f);
    EXPECT_NEAR(d[768], 0.5f, 1e-6f);
    EXPECT_NEAR(d[kN], 0.0f, 1e-6f);
    for (std::uint32_t i = 0; i <= kN; ++i) {
        const double x = static_cast<float>(i / 1024.0);
        const double pi = 3.14159265358979;
        EXPECT_NEAR(d[i], 0.5 * (1.0 + std::sin(pi * x) + std::cos(pi * x)), 1e-6) << i;
    }
}

TEST(SGTableFunction, ClampsBelowAndAboveTheDomainAndInterpolatesInside) {
    SGFunctionTable t(4);
    const float values[] = {1.0f, 3.0f, 5.0f, 7.0f, 9.0f};  // a distinct guard shows which end
    for (int i = 0; i < 5; ++i) t.data()[i] = values[i];
    SGTableFunction f(t);
    EXPECT_EQ(f.step(), 0.25);
    EXPECT_EQ(f.lookup(-0.5), 1.0f);
    EXPECT_EQ(f.lookup(0.0), 1.0f);
    EXPECT_EQ(f.lookup(0.125), 2.0f);
    EXPECT_EQ(f.lookup(0.625), 6.0f);
    EXPECT_EQ(f.lookup(1.0), 9.0f);
    EXPECT_EQ(f.lookup(7.0), 9.0f);
    EXPECT_EQ(f.lookup(std::nan("")), 9.0f);
    // Just inside the domain the position rounds to N in single precision and reads the guard.
    EXPECT_EQ(f.lookup(std::nextafter(1.0, 0.0)), 9.0f);
}

TEST(SGTableFunction, MapsAnyDomainOntoTheTable) {
    SGFunctionTable t(kN);
    t.fillPanCurve();
    SGTableFunction f(t, -1.0, 1.0);
    EXPECT_EQ(f.lookup(-1.0), t.data()[0]);
    EXPECT_EQ(f.lookup(0.0), t.data()[512]);
    EXPECT_EQ(f.lookup(1.0), t.data()[kN]);
    EXPECT_FLOAT_EQ(f.lookup(-0.5), t.data()[256]);
}

}  // namespace
