#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "wave/VTSampleConversion.h"

using VTSampleConversion::floatToSample16;
using VTSampleConversion::sample16ToFloat;

TEST(SampleConversionTest, FloatToSixteenBitTruncatesAndClamps) {
    struct Case {
        float in;
        std::int16_t out;
    };
    const Case cases[] = {
        {0.0f, 0},
        {1.0f, 32767},
        {-1.0f, -32767},
        {1.5f, 32767},
        {-7.0f, -32767},
        {0.5f, 16383},
        {-0.5f, -16383},
        {1e-9f, 0},
        {-1e-9f, 0},
        {0.99999f, 32766},
        {-0.99999f, -32766},
        {std::numeric_limits<float>::infinity(), 32767},
        {-std::numeric_limits<float>::infinity(), -32767},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(floatToSample16(c.in), c.out) << c.in;
}

TEST(SampleConversionTest, SixteenBitToFloatIsTimesTwoToTheMinus15) {
    EXPECT_EQ(sample16ToFloat(0), 0.0f);
    EXPECT_EQ(sample16ToFloat(-32768), -1.0f);
    EXPECT_EQ(sample16ToFloat(16384), 0.5f);
    EXPECT_EQ(sample16ToFloat(32767), 32767.0f / 32768.0f);
    EXPECT_EQ(sample16ToFloat(1), std::ldexp(1.0f, -15));
}
