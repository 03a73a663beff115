#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "dsp/SGDelayLine.h"
#include "dsp/SGRingLength.h"
#include "signal/SGSignal.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr std::int32_t kB = static_cast<std::int32_t>(SGBlockSize);

// A delay in seconds that is exactly `samples` samples long once multiplied by the sample rate,
// so the expected read positions carry no rounding of their own.
double secondsFor(double samples) {
    double d = samples / SGSampleRate;
    for (int k = 0; k < 8 && d * SGSampleRate != samples; ++k)
        d = std::nextafter(d, d * SGSampleRate < samples ? 1e9 : -1e9);
    EXPECT_EQ(d * SGSampleRate, samples);
    return d;
}

// The value of sample n of the test signal; every sample differs from its neighbours, and the
// values stay small whole multiples of 1/64 so that interpolations between them are exact.
float signalAt(std::int64_t n) {
    return n < 0 ? 0.0f : static_cast<float>((n * 37) % 1021) / 64.0f;
}

// Writes the test signal block by block, keeping count of the samples written.
struct Writer {
    SGDelayLine& line;
    std::int64_t written = 0;
    void writeBlocks(int count) {
        SGSignal block;
        for (int k = 0; k < count; ++k) {
            for (std::int32_t i = 0; i < kB; ++i) block[i] = signalAt(written + i);
            line.write(block);
            written += kB;
        }
    }
};

// The read of the signal at the fractional sample position t, as the line interpolates.
float expectedAt(double t) {
    const double e = std::floor(t);
    const auto k = static_cast<std::int64_t>(e);
    const auto frac = static_cast<float>(t - e);
    return (signalAt(k + 1) - signalAt(k)) * frac + signalAt(k);
}

TEST(SGDelayLine, IsSizedInWholeBlocksWithTwoBlocksToSpare) {
    struct Case {
        double seconds;
        std::uint32_t slots;
    };
    const Case cases[] = {{0.05, 2560}, {11.0, 485376}, {2.1, 92928},       {1.0, 44544},
                          {0.0, 512},   {-3.0, 512},    {std::nan(""), 512}};
    for (const Case& c : cases) {
        SGDelayLine line(c.seconds);
        EXPECT_EQ(line.length(), c.slots) << c.seconds;
        EXPECT_EQ(line.writeIndex(), 0);
        for (std::uint32_t k = 0; k <= line.length(); ++k) ASSERT_EQ(line.buffer()[k], 0.0f);
    }
    SGDelayLine huge(1e12);
    EXPECT_EQ(huge.length(), SGRingLength(SGMaxRingSeconds, 2));
}

TEST(SGDelayLine, ResizeBuildsASilentLineOfTheNewLength) {
    SGDelayLine line(0.05);
    Writer writer{line};
    writer.writeBlocks(3);
    line.resize(1.0);
    EXPECT_EQ(line.length(), 44544u);
    EXPECT_EQ(line.writeIndex(), 0);
    SGSignal out;
    line.readFixed(out, secondsFor(kB));
    for (std::int32_t i = 0; i < kB; ++i) ASSERT_EQ(out[i], 0.0f);
}

TEST(SGDelayLine, ReadingOneBlockBackGivesTheBlockJustWrittenOrTheOneBefore) {
    SGDelayLine line(0.05);  // 10 blocks: the loop below wraps several times
    Writer writer{line};
    const double oneBlock = static_cast<double>(kB) / SGSampleRate;
    SGSignal before, after;
    for (int block = 0; block < 35; ++block) {
        line.readFixed(before, oneBlock);
        writer.writeBlocks(1);
        line.readFixed(after, oneBlock);
        for (std::int32_t i = 0; i < kB; ++i) {
            ASSERT_EQ(after[i], signalAt(writer.written - kB + i)) << block << " " << i;
            ASSERT_EQ(before[i], signalAt(writer.written - 2 * kB + i)) << block << " " << i;
        }
    }
}

TEST(SGDelayLine, FixedReadsInterpolateAtFractionalDelaysAcrossTheRingEnd) {
    // A block read after writing reaches back at least one block (the block just written) and at
    // most the whole ring. Each delay is read at every write position of the ring, so at some
    // point it straddles the end of the ring and reads the guard slot.
    const double delays[] = {256.0, 256.25, 257.5, 300.25, 511.75, 1000.5, 2303.5, 2559.5};
    for (double samples : delays) {
        SGDelayLine line(0.05);
        Writer writer{line};
        const double d = secondsFor(samples);
        SGSignal out;
        for (int block = 0; block < 25; ++block) {
            writer.writeBlocks(1);
            line.readFixed(out, d);
            for (std::int32_t i = 0; i < kB; ++i)
                ASSERT_EQ(out[i], expectedAt(writer.written - samples + i))
                    << samples << " block " << block << " sample " << i;
        }
    }
}

TEST(SGDelayLine, TheGuardSlotRepeatsSlotZeroAndTheWriteIndexStepsByBlocks) {
    SGDelayLine line(0.05);
    Writer writer{line};
    for (int block = 0; block < 40; ++block) {
        writer.writeBlocks(1);
        EXPECT_EQ(line.buffer()[line.length()], line.buffer()[0]);
        EXPECT_EQ(line.writeIndex() % kB, 0);
        EXPECT_EQ(line.writeIndex(), (writer.written % line.length()));
    }
}

TEST(SGDelayLine, SingleReadsMatchFixedReadsAndReadTheGuardAtTheEnd) {
    SGDelayLine line(0.05);
    Writer writer{line};
    writer.writeBlocks(10);  // the ring is full and the write index is back at 0
    ASSERT_EQ(line.writeIndex(), 0);
    const std::int64_t now = writer.written;
    for (double samples : {1.0, 1.75, 300.25, 2303.5, 2559.0}) {
        EXPECT_EQ(line.readAt(secondsFor(samples)), expectedAt(now - samples)) << samples;
    }
    // Half a sample back from slot 0 lies between the last slot and the guard (slot 0's copy).
    EXPECT_EQ(line.readAt(secondsFor(0.5)),
              line.buffer()[line.length() - 1] +
                  (line.buffer()[0] - line.buffer()[line.length() - 1]) * 0.5f);
}

TEST(SGDelayLine, DelaysBeyondTheLineAreReadModuloTheLine) {
    SGDelayLine line(0.05);
    Writer writer{line};
    writer.writeBlocks(13);
    const double l = line.length();
    for (double samples : {10.5, 700.25, 2000.0}) {
        const float inside = line.readAt(secondsFor(samples));
        EXPECT_EQ(line.readAt(secondsFor(samples + l)), inside) << samples;
        EXPECT_EQ(line.readAt(secondsFor(samples + 3 * l)), inside) << samples;
        EXPECT_EQ(line.readAt(secondsFor(samples + 40 * l)), inside) << samples;
    }
    // Nonsense delays read some sample of the line rather than outside it, and return at once.
    SGSignal out;
    for (double d :
         {-1.0, -1e-300, 1e300, -1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_TRUE(std::isfinite(line.readAt(d))) << d;
        line.readFixed(out, d);
        for (std::int32_t i = 0; i < kB; ++i) ASSERT_TRUE(std::isfinite(out[i])) << d;
        double moving = d;
        line.readResampled(out, moving, 1.5);
        for (std::int32_t i = 0; i < kB; ++i) ASSERT_TRUE(std::isfinite(out[i])) << d;
    }
}

TEST(SGDelayLine, ResampledReadsMoveTheDelayByTheRate) {
    SGDelayLine line(0.05);
    Writer writer{line};
    writer.writeBlocks(10);
    SGSignal out;
    const double start = secondsFor(1000.5);
    double d = start;
    line.readResampled(out, d, 1.0);
    EXPECT_EQ(d, start);
    d = start;
    for (int k = 1; k <= 3; ++k) {
        line.readResampled(out, d, 2.0);
        EXPECT_NEAR(d, start - k * kB / SGSampleRate, 1e-15) << k;
    }
    d = start;
    line.readResampled(out, d, 0.5);
    EXPECT_NEAR(d, start + 0.5 * kB / SGSampleRate, 1e-15);
}

TEST(SGDelayLine, ResampledReadsAtRateOneEqualFixedReads) {
    SGDelayLine line(0.05);
    Writer writer{line};
    SGSignal fixed, resampled;
    for (int block = 0; block < 23; ++block) {
        writer.writeBlocks(1);
        for (double samples : {0.5, 255.5, 1000.25, 2303.75}) {
            double d = secondsFor(samples);
            line.readFixed(fixed, d);
            line.readResampled(resampled, d, 1.0);
            for (std::int32_t i = 0; i < kB; ++i)
                ASSERT_EQ(resampled[i], fixed[i]) << samples << " " << i;
        }
    }
}

TEST(SGDelayLine, ResampledBlocksContinueWhereThePreviousBlockStopped) {
    // A grain reads ahead or behind while the line keeps being written; over the whole read the
    // positions must advance by exactly rate per sample, block boundaries and ring wraps included.
    for (double rate : {0.5, 0.75, 1.25, 2.0, 3.75}) {
        SGDelayLine line(1.0);
        Writer writer{line};
        writer.writeBlocks(100);
        const double startSamples = 10000.0;
        double d = secondsFor(startSamples);
        double t = static_cast<double>(writer.written) - startSamples;  // absolute position
        SGSignal out;
        for (int block = 0; block < 12; ++block) {
            line.readResampled(out, d, rate);
            for (std::int32_t i = 0; i < kB; ++i) {
                // Positions are taken in single precision, so compare within that rounding.
                ASSERT_NEAR(out[i], expectedAt(t), 1021.0 / 64.0 * 0.01)
                    << rate << " block " << block << " sample " << i;
                t += rate;
            }
            writer.writeBlocks(1);
        }
    }
}

TEST(SGDelayLine, ResampledReadsNeverLeaveTheLine) {
    SGDelayLine line(0.05);
    Writer writer{line};
    writer.writeBlocks(12);
    SGSignal out;
    for (double rate : {-3.0, 0.0, 1e-9, 4.0, 2559.0, 2560.0, 1e7, 1e300,
                        std::numeric_limits<double>::infinity(), std::nan("")}) {
        double d = secondsFor(100.0);
        for (int k = 0; k < 4; ++k) {
            line.readResampled(out, d, rate);
            for (std::int32_t i = 0; i < kB; ++i) ASSERT_TRUE(std::isfinite(out[i])) << rate;
        }
    }
}

TEST(SGDelayLine, BlockOperationsAllocateNothing) {
    SGDelayLine line(2.1);
    SGSignal in(0.25f), out;
    double d = 0.5;
    float sink = 0.0f;
    EXPECT_NO_AUDIO_ALLOCATION({
        for (int k = 0; k < 400; ++k) {
            line.write(in);
            line.readFixed(out, 0.1);
            line.readResampled(out, d, 1.5);
            sink += line.readAt(0.3);
        }
    });
    EXPECT_TRUE(std::isfinite(sink));
}

}  // namespace
