#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/SGFunctionTable.h"
#include "dsp/SGOscillator.h"
#include "dsp/SGTableFunction.h"
#include "signal/SGConstants.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr std::uint32_t kN = 1024;

class SGOscillatorTest : public ::testing::Test {
protected:
    SGOscillatorTest() : table(kN), osc(table) { table.addHarmonic(1.0f, 1.0f, 0.0f, 0.0f); }
    SGFunctionTable table;
    SGOscillator osc;
};

TEST_F(SGOscillatorTest, Returns441HzEveryHundredSamplesWithinRounding) {
    osc.setFrequency(441.0, SGSampleRate);
    EXPECT_DOUBLE_EQ(osc.increment(), 10.24);
    osc.setPhase(0.3);
    const double start = osc.phase();
    for (int period = 1; period <= 50; ++period) {
        for (int k = 0; k < 100; ++k) {
            osc.tick();
            ASSERT_GE(osc.phase(), 0.0);
            ASSERT_LE(osc.phase(), kN);
        }
        EXPECT_NEAR(osc.phase(), start, 1e-9) << "after period " << period;
    }
}

TEST_F(SGOscillatorTest, GivesTheValueAtThePhaseBeforeAdvancing) {
    osc.setIncrement(256.0);
    EXPECT_EQ(osc.tick(), table.data()[0]);
    EXPECT_EQ(osc.tick(), table.data()[256]);
    EXPECT_EQ(osc.tick(), table.data()[512]);
    osc.setIncrement(2.5);
    osc.setPhase(0.0);
    osc.tick();
    const float between = osc.tick();  // phase 2.5
    EXPECT_EQ(between, table.data()[2] + (table.data()[3] - table.data()[2]) * 0.5f);
}

TEST_F(SGOscillatorTest, APhaseOfExactlyNStaysAndReadsTheGuard) {
    osc.setIncrement(512.0);
    osc.tick();  // 0 -> 512
    osc.tick();  // 512 -> 1024, not wrapped
    EXPECT_EQ(osc.phase(), 1024.0);
    EXPECT_EQ(osc.tick(), table.data()[kN]);
    EXPECT_EQ(osc.phase(), 512.0);
}

TEST_F(SGOscillatorTest, SetPhaseDropsWholeCyclesButKeepsOne) {
    struct Case {
        double cycles, phase;
    };
    const Case cases[] = {{0.0, 0.0},    {0.25, 256.0}, {1.0, 1024.0},      {2.25, 256.0},
                          {2.0, 1024.0}, {3.5, 512.0},  {1e12 + 0.5, 512.0}};
    for (const Case& c : cases) {
        osc.setPhase(c.cycles);
        EXPECT_DOUBLE_EQ(osc.phase(), c.phase) << c.cycles;
    }
}

TEST_F(SGOscillatorTest, AbsurdIncrementsNeitherHangNorLeaveTheTable) {
    for (double inc : {1e300, std::numeric_limits<double>::infinity(), 1e6 + 0.5}) {
        osc.setPhase(0.0);
        osc.setIncrement(inc);
        for (int k = 0; k < 10; ++k) {
            EXPECT_TRUE(std::isfinite(osc.tick()));
            ASSERT_GE(osc.phase(), 0.0) << inc;
            ASSERT_LE(osc.phase(), kN) << inc;
        }
    }
}

TEST_F(SGOscillatorTest, TickingAllocatesNothing) {
    osc.setFrequency(1000.0, SGSampleRate);
    float sum = 0.0f;
    EXPECT_NO_AUDIO_ALLOCATION(for (int k = 0; k < 4096; ++k) sum += osc.tick());
    EXPECT_TRUE(std::isfinite(sum));
}

}  // namespace

namespace {

TEST(AnEmptyTable, IsReadAsItsSingleEntryWithoutHanging) {
    SGFunctionTable empty(0);
    empty.addHarmonic(1.0f, 1.0f, 0.0f, 0.5f);
    empty.normalise(1.0f);
    empty.fillPanCurve();
    EXPECT_EQ(empty.data()[0], 1.0f);  // the pan curve at position 0
    SGOscillator osc(empty);
    osc.setIncrement(3.0);
    osc.setPhase(0.5);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(osc.tick(), 1.0f);
    EXPECT_EQ(osc.phase(), 0.0);
    SGTableFunction f(empty);
    for (double x : {-1.0, 0.0, 0.5, 1.0}) EXPECT_EQ(f.lookup(x), 1.0f) << x;
}

}  // namespace
