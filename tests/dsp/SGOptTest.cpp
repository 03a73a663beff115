#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "sgopt/SGOpt.h"
#include "sgopt/SGOptReference.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

TEST(SGInterpLookup, InterpolatesBetweenEntriesAndReadsTheGuardAtTheEnd) {
    const float t[] = {0.0f, 10.0f, 20.0f, 0.0f};  // N = 3, the last entry is the guard
    EXPECT_EQ(SGInterpLookup(t, 0.5f), 5.0f);
    EXPECT_EQ(SGInterpLookup(t, 2.25f), 15.0f);
    EXPECT_EQ(SGInterpLookup(t, 3.0f), 0.0f);
    EXPECT_EQ(SGInterpLookup(t, 0.0f), 0.0f);
    EXPECT_EQ(SGInterpLookup(t, 1.0f), 10.0f);
    EXPECT_EQ(SGInterpLookup(t, 1.75f), 17.5f);
}

TEST(SGInterpLookup, AWholePositionReadsNoEntryBeyondIt) {
    // The entry past the guard is poisoned: reading it at all would spoil the result.
    const float t[] = {1.0f, 0.0f, 3.0f, kNaN};
    EXPECT_EQ(SGInterpLookup(t, 2.0f), 3.0f);
    float out[1];
    const float at[] = {2.0f};
    SGInterpLookupBlock(t, at, out, 1);
    EXPECT_EQ(out[0], 3.0f);

    // A position just below N still interpolates toward the guard.
    const float below = std::nextafter(2.0f, 0.0f);
    EXPECT_FLOAT_EQ(SGInterpLookup(t, below), 3.0f);
    EXPECT_LT(SGInterpLookup(t, below), 3.0f);
}

TEST(SGInterpLookup, PositionsBelowTheTableReadItsFirstEntry) {
    const float t[] = {7.0f, -3.0f, 1.0f};
    for (float x : {-0.0f, -0.5f, -1.5f, -1e30f, -kInf, kNaN}) {
        EXPECT_EQ(SGInterpLookup(t, x), 7.0f) << x;
    }
}

TEST(SGTruncate, DropsTheFractionTowardZero) {
    struct Case {
        float x;
        std::int32_t expected;
    };
    const Case cases[] = {
        {2.999f, 2},
        {3.0f, 3},
        {-0.5f, 0},
        {0.5f, 0},
        {1.5f, 1},
        {2.5f, 2},
        {-2.5f, -2},
        {-2.999f, -2},
        {-3.0f, -3},
        {0.99999994f, 0},
        {-0.0f, 0},
        {1e-45f, 0},
        {8388607.5f, 8388607},
        {16777216.0f, 16777216},
        {2147483520.0f, 2147483520},
        {-2147483648.0f, INT32_MIN},
        {2147483648.0f, INT32_MAX},
        {1e10f, INT32_MAX},
        {-1e10f, INT32_MIN},
        {kInf, INT32_MAX},
        {-kInf, INT32_MIN},
        {kNaN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SGTruncate(c.x), c.expected) << c.x;
        std::int32_t out = -12345;
        SGTruncateBlock(&c.x, &out, 1);
        EXPECT_EQ(out, c.expected) << c.x;
    }
}

TEST(SGTruncate, IgnoresTheRoundingMode) {
    const float halves[] = {0.5f, 1.5f, 2.5f, -0.5f, -1.5f, -2.5f, 2.999f, -2.999f};
    const std::int32_t expected[] = {0, 1, 2, 0, -1, -2, 2, -2};
    const int saved = std::fegetround();
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        std::int32_t block[8];
        SGTruncateBlock(halves, block, 8);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(SGTruncate(halves[k]), expected[k]) << "mode " << mode << ", " << halves[k];
            EXPECT_EQ(block[k], expected[k]) << "mode " << mode << ", " << halves[k];
        }
    }
    std::fesetround(saved);
}

// Awkward positions and values for comparing the optimised routines with their plain
// definitions: whole numbers, exact halves, the smallest fractions, both ends of the table,
// values far from 1 and of both signs.
class SGOptAgainstReference : public ::testing::Test {
protected:
    static constexpr std::uint32_t kN = 1u << 20;  // large enough for positions above 2^19

    void SetUp() override {
        table.resize(kN + 1);
        for (std::uint32_t i = 0; i < kN; ++i) {
            const float sign = (i % 3 == 0) ? -1.0f : 1.0f;
            table[i] = sign * std::ldexp(1.0f + static_cast<float>(i % 17) / 7.0f,
                                         static_cast<int>(i % 61) - 30);
        }
        table[kN] = table[0];
        table[5] = -0.0f;
        table[6] = 3.0e38f;
        table[7] = -3.0e38f;

        const float nTop = static_cast<float>(kN);
        for (float x : {0.0f,        -0.0f,
                        1e-45f,      1e-30f,
                        0.5f,        1.0f,
                        1.5f,        2.5f,
                        4.5f,        5.0f,
                        5.5f,        6.5f,
                        7.0f,        7.25f,
                        0.99999994f, 1.00000012f,
                        1000.5f,     4095.999f,
                        65536.5f,    524288.5f,
                        1048575.5f,  std::nextafter(nTop, 0.0f),
                        nTop - 1.0f, nTop,
                        -0.5f,       -3.0f,
                        kNaN})
            positions.push_back(x);
        // Plenty of ordinary positions too, in lengths that are not a multiple of any vector.
        for (int k = 0; k < 997; ++k)
            positions.push_back(static_cast<float>(k) * 1051.37f +
                                static_cast<float>(k % 4) * 0.25f);

        for (float x : {0.0f,           -0.0f,          0.5f,          -0.5f,
                        1.5f,           -1.5f,          2.5f,          -2.5f,
                        0.49999997f,    2.999f,         -2.999f,       1e-45f,
                        -1e-45f,        8388607.5f,     -8388607.5f,   16777217.0f,
                        2147483520.0f,  -2147483520.0f, 2147483648.0f, -2147483648.0f,
                        -2147483904.0f, 3e9f,           -3e9f,         1e38f,
                        -1e38f,         kInf,           -kInf,         kNaN})
            truncations.push_back(x);
        for (int k = 0; k < 1001; ++k)
            truncations.push_back(static_cast<float>(k - 500) * 0.37f * static_cast<float>(k));
    }

    std::vector<float> table;
    std::vector<float> positions;
    std::vector<float> truncations;
};

TEST_F(SGOptAgainstReference, LookupsGiveTheReferenceResultsBitForBit) {
    std::vector<float> block(positions.size());
    for (std::size_t count :
         {positions.size(), std::size_t{1}, std::size_t{7}, std::size_t{9}, std::size_t{17}}) {
        SGInterpLookupBlock(table.data(), positions.data(), block.data(),
                            static_cast<std::uint32_t>(count));
        for (std::size_t k = 0; k < count; ++k) {
            const float x = positions[k];
            const float expected = sgopt_reference::interpLookup(table.data(), x);
            EXPECT_EQ(bits(SGInterpLookup(table.data(), x)), bits(expected)) << "x = " << x;
            EXPECT_EQ(bits(block[k]), bits(expected)) << "block, x = " << x;
        }
    }
}

TEST_F(SGOptAgainstReference, TruncationsGiveTheReferenceResults) {
    std::vector<std::int32_t> block(truncations.size());
    for (std::size_t count : {truncations.size(), std::size_t{3}, std::size_t{13}}) {
        SGTruncateBlock(truncations.data(), block.data(), static_cast<std::uint32_t>(count));
        for (std::size_t k = 0; k < count; ++k) {
            const float x = truncations[k];
            const std::int32_t expected = sgopt_reference::truncate(x);
            EXPECT_EQ(SGTruncate(x), expected) << "x = " << x;
            EXPECT_EQ(block[k], expected) << "block, x = " << x;
        }
    }
}

TEST_F(SGOptAgainstReference, BlockRoutinesAllocateNothing) {
    std::vector<float> out(positions.size());
    std::vector<std::int32_t> ints(truncations.size());
    EXPECT_NO_AUDIO_ALLOCATION(SGInterpLookupBlock(table.data(), positions.data(), out.data(),
                                                   static_cast<std::uint32_t>(positions.size())));
    EXPECT_NO_AUDIO_ALLOCATION(SGTruncateBlock(truncations.data(), ints.data(),
                                               static_cast<std::uint32_t>(truncations.size())));
    EXPECT_NO_AUDIO_ALLOCATION(SGInterpLookupBlock(table.data(), positions.data(), out.data(), 0));
}

}  // namespace
