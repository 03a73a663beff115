#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "dsp/SGFunctionTable.h"
#include "dsp/SGTableFunction.h"
#include "dsp/SGVInterp.h"
#include "signal/SGSignal.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr std::int32_t kB = static_cast<std::int32_t>(SGBlockSize);

SGSignal testBlock() {
    SGSignal s;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        s[i] = 0.3f + 0.01f * static_cast<float>(i) - (i % 2 ? 0.7f : 0.0f);
    return s;
}

TEST(SGVInterp, TheFirstTargetTakesEffectAtOnceAndLaterOnesRampOverTheSteps) {
    SGVInterp v;
    EXPECT_EQ(v.remaining(), -1);
    EXPECT_EQ(v.next(), 0.0);
    v.setTarget(0.5, kB);
    EXPECT_EQ(v.next(), 0.5);
    EXPECT_EQ(v.next(), 0.5);

    v.setTarget(1.0, kB);
    for (int k = 1; k < kB; ++k) {
        const double value = v.next();
        EXPECT_NEAR(value, 0.5 + 0.5 * k / kB, 1e-12) << k;
        ASSERT_LT(value, 1.0) << k;
    }
    EXPECT_DOUBLE_EQ(v.next(), 1.0);  // the 256th step arrives
    const double arrived = v.current();
    for (int k = 0; k < 10; ++k) EXPECT_EQ(v.next(), arrived);
}

TEST(SGVInterp, ANewTargetDuringARampStartsFromWhereTheRampStands) {
    SGVInterp v;
    v.setTarget(0.0, kB);
    v.setTarget(1.0, 4);
    v.next();
    v.next();  // half way: 0.5
    v.setTarget(0.0, 2);
    EXPECT_DOUBLE_EQ(v.next(), 0.25);
    EXPECT_DOUBLE_EQ(v.next(), 0.0);
    EXPECT_EQ(v.remaining(), 0);
}

TEST(SGVInterp, AStepCountOfZeroJumpsToTheValue) {
    SGVInterp v;
    v.setTarget(0.2, kB);
    v.setTarget(0.9, 0);
    EXPECT_EQ(v.next(), 0.9);
    EXPECT_EQ(v.remaining(), 0);
}

// The block operations give sample for sample what a ramp stepped with next() gives.
struct BlockCase {
    const char* name;
    std::int32_t steps;  // of the second target, so the ramp ends inside or beyond the block
};

class SGVInterpBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(SGVInterpBlocks, MatchPerSampleStepping) {
    const BlockCase c = GetParam();
    SGVInterp block, stepped;
    for (SGVInterp* v : {&block, &stepped}) {
        v->setTarget(0.25, kB);
        v->setTarget(-1.5, c.steps);
    }
    const SGSignal in = testBlock();
    for (int round = 0; round < 3; ++round) {
        SGSignal multiplied, accumulated = testBlock(), inPlace = testBlock();
        block.applyTo(in, multiplied);
        SGVInterp inPlaceRamp = stepped, addRamp = stepped;
        inPlaceRamp.applyTo(inPlace, inPlace);
        addRamp.addTo(in, accumulated);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            const double g = stepped.next();
            const float product = static_cast<float>(in[i] * g);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(multiplied[i]),
                      std::bit_cast<std::uint32_t>(product))
                << c.name << " round " << round << " sample " << i;
            ASSERT_EQ(inPlace[i], product) << c.name << " in place, sample " << i;
            ASSERT_EQ(accumulated[i], static_cast<float>(in[i] + in[i] * g))
                << c.name << " accumulated, sample " << i;
        }
        EXPECT_EQ(block.current(), stepped.current());
        EXPECT_EQ(block.remaining(), stepped.remaining());
    }
}

INSTANTIATE_TEST_SUITE_P(Ramps, SGVInterpBlocks,
                         ::testing::Values(BlockCase{"one block", kB}, BlockCase{"short", 100},
                                           BlockCase{"long", 600}, BlockCase{"single", 1}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (ch == ' ') ch = '_';
                             return n;
                         });

TEST(SGVInterp, AdvanceBlockTakesUpToABlockOfStepsAtOnce) {
    SGVInterp v;
    v.advanceBlock();  // before any target: nothing happens, and the first target still jumps
    EXPECT_EQ(v.remaining(), -1);
    v.setTarget(2.0, kB);
    EXPECT_EQ(v.current(), 2.0);

    v.setTarget(0.0, 2 * kB + 10);
    const double increment = v.increment();
    v.advanceBlock();
    EXPECT_EQ(v.remaining(), kB + 10);
    EXPECT_EQ(v.current(), 2.0 + kB * increment);
    v.advanceBlock();
    v.advanceBlock();  // only the 10 steps left are taken
    EXPECT_EQ(v.remaining(), 0);
    EXPECT_NEAR(v.current(), 0.0, 1e-12);
    v.advanceBlock();
    EXPECT_NEAR(v.current(), 0.0, 1e-12);
}

TEST(SGVInterp, PerBlockOperationsAllocateNothing) {
    SGFunctionTable table(1024);
    table.fillPanCurve();
    SGTableFunction pan(table);
    SGVInterp v;
    v.setTarget(0.0, kB);
    const SGSignal in = testBlock();
    SGSignal out(0.0f);
    float sum = 0.0f;
    EXPECT_NO_AUDIO_ALLOCATION({
        for (int round = 0; round < 8; ++round) {
            v.setTarget(pan.lookup(round / 8.0), kB);
            v.applyTo(in, out);
            v.addTo(in, out);
            v.advanceBlock();
            sum += static_cast<float>(v.next()) + out[0];
        }
    });
    EXPECT_TRUE(sum == sum);
}

}  // namespace
