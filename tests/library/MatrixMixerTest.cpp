#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ProcessorFixtures.h"
#include "library/matrices/VTMatrixMixer.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

std::unique_ptr<VTMatrixMixer> makeMatrix(int n) {
    if (n == 4) return std::make_unique<VT4x4Matrix>();
    return std::make_unique<VT8x8Matrix>();
}

TEST(MatrixMixer, FiftyMillisecondsGiveTheDocumentedPoleAndGlides) {
    VT4x4Matrix matrix;
    SGSignal one(1.0f);
    plug(matrix, 0, one);
    matrix.gate(0, 0).setValue(true);
    std::vector<float> rise;
    for (int b = 0; b < 8; ++b) {
        matrix.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) rise.push_back(matrix.outletSignal(0)[i]);
    }
    EXPECT_NEAR(matrix.pole(), 0.9971545f, 1e-7);
    EXPECT_NEAR(matrix.inputGain(), 0.0028455f, 1e-7);
    int reached = 0;
    while (rise[reached] < 0.99f) ++reached;
    EXPECT_EQ(reached + 1, 1617) << "samples until the gain reaches 0.99";

    // Fully open, then closed: below 1e-7 after 5657 samples, exactly 0 at the end of block 23.
    for (int b = 0; b < 100; ++b) matrix.process();
    matrix.gate(0, 0).setValue(false);
    int below = -1;
    for (int b = 1; b <= 23; ++b) {
        matrix.process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            if (below < 0 && matrix.outletSignal(0)[i] < 1e-7f)
                below = (b - 1) * SGBlockSize + i + 1;
        if (b == 22) {
            EXPECT_GT(matrix.gain(0, 0), 0.0f) << "still gliding after 22 blocks";
        }
    }
    EXPECT_EQ(below, 5657);
    EXPECT_EQ(matrix.gain(0, 0), 0.0f);
    matrix.process();
    EXPECT_EQ(samples(matrix.outletSignal(0)), samples(SGZeroSignal));
}

TEST(MatrixMixer, ANewMatrixPassesNothing) {
    for (int n : {4, 8}) {
        auto matrix = makeMatrix(n);
        std::vector<SGSignal> ins;
        for (int i = 0; i < n; ++i) ins.push_back(testBlock(i));
        for (int i = 0; i < n; ++i) plug(*matrix, i, ins[i]);
        for (int b = 0; b < 3; ++b) {
            scribble(*matrix);
            matrix->process();
            for (int o = 0; o < n; ++o)
                EXPECT_EQ(samples(matrix->outletSignal(o)), samples(SGZeroSignal)) << n << " " << o;
        }
    }
}

TEST(MatrixMixer, OneInletOnTwoOutletsCopiesItToBothAndLeavesTheOthersSilent) {
    for (int n : {4, 8}) {
        auto matrix = makeMatrix(n);
        matrix->fadeTime.setValue(1.0);
        SGSignal in = testBlock(2);
        plug(*matrix, 2, in);
        matrix->gate(2, 0).setValue(true);
        matrix->gate(2, n - 1).setValue(true);
        for (int b = 0; b < 40; ++b) matrix->process();
        for (int o = 0; o < n; ++o) {
            if (o == 0 || o == n - 1) {
                for (std::uint32_t i = 0; i < SGBlockSize; ++i)
                    ASSERT_NEAR(matrix->outletSignal(o)[i], in[i], 1e-6) << n << " " << o;
            } else {
                EXPECT_EQ(samples(matrix->outletSignal(o)), samples(SGZeroSignal)) << n << o;
            }
        }
    }
}

TEST(MatrixMixer, TwoGatesOnOneOutletSumTheirInlets) {
    for (int n : {4, 8}) {
        auto matrix = makeMatrix(n);
        matrix->fadeTime.setValue(0.0);  // switches at once
        SGSignal a = testBlock(1), b = testBlock(3);
        plug(*matrix, 1, a);
        plug(*matrix, n - 1, b);
        matrix->gate(1, 1).setValue(true);
        matrix->gate(n - 1, 1).setValue(true);
        matrix->process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            ASSERT_EQ(matrix->outletSignal(1)[i], a[i] + b[i]) << n << " " << i;
    }
}

TEST(MatrixMixer, FadeTimesTooShortToFollowSwitchAtOnceAndStayFinite) {
    for (double ms : {0.0, 0.01, 1000.0 / SGSampleRate, 0.04}) {
        VT4x4Matrix matrix;
        matrix.fadeTime.setValue(ms);
        SGSignal in = testBlock(1);
        plug(matrix, 0, in);
        matrix.gate(0, 0).setValue(true);
        matrix.process();
        EXPECT_EQ(matrix.pole(), 0.0f) << ms;
        EXPECT_EQ(matrix.gain(0, 0), 1.0f) << ms;
        EXPECT_EQ(samples(matrix.outletSignal(0)), samples(in)) << ms;
        matrix.gate(0, 0).setValue(false);
        matrix.process();
        EXPECT_EQ(matrix.gain(0, 0), 0.0f) << ms;
    }
    // Just long enough to follow: a real fade, still finite and arriving within a block.
    VT4x4Matrix matrix;
    matrix.fadeTime.setValue(0.05);
    SGSignal one(1.0f);
    plug(matrix, 0, one);
    matrix.gate(0, 0).setValue(true);
    matrix.process();
    EXPECT_GT(matrix.pole(), 0.0f);
    EXPECT_LT(matrix.pole(), 0.5f);
    EXPECT_LT(matrix.outletSignal(0)[0], 1.0f);
    EXPECT_NEAR(matrix.outletSignal(0)[SGBlockSize - 1], 1.0f, 1e-6);
}

// The gate step written out plainly: every connection glides sample by sample.
struct ReferenceMatrix {
    int n;
    float p, a;
    std::vector<float> gain;
    ReferenceMatrix(int n, const VTMatrixMixer& m)
        : n(n), p(m.pole()), a(m.inputGain()), gain(static_cast<std::size_t>(n * n), 0.0f) {}
    void step(VTMatrixMixer& m, const std::vector<SGSignal>& in, std::vector<SGSignal>& out) {
        for (int o = 0; o < n; ++o) {
            for (int i = 0; i < n; ++i) {
                float& g = gain[static_cast<std::size_t>(i * n + o)];
                const bool on = m.gate(i, o).value();
                const float t = on ? 1.0f : 0.0f;
                if (!on && g == 0.0f) {
                    if (i == 0) out[o].fill(0.0f);
                    continue;
                }
                for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
                    g = a * t + p * g;
                    out[o][s] = i == 0 ? g * in[i][s] : out[o][s] + g * in[i][s];
                }
                if (-1e-8f < g && g < 1e-7f) g = 0.0f;
            }
        }
    }
};

TEST(MatrixMixer, EveryConnectionFollowsTheGlideSampleForSample) {
    for (int n : {4, 8}) {
        auto matrix = makeMatrix(n);
        matrix->fadeTime.setValue(3.0);
        std::vector<SGSignal> ins;
        for (int i = 0; i < n; ++i) ins.push_back(testBlock(i));
        for (int i = 0; i < n; ++i)
            if (i != 1) plug(*matrix, i, i == 2 ? SGZeroSignal : ins[i]);
        ins[1].fill(0.0f);  // inlet 1 unconnected: it reads silence
        ins[2].fill(0.0f);
        matrix->process();  // coefficients taken
        ReferenceMatrix ref(n, *matrix);
        std::vector<SGSignal> want(static_cast<std::size_t>(n));
        // Gates change every few blocks, so connections rise, fall, settle and stay settled.
        std::uint32_t lcg = 12345;
        for (int b = 0; b < 300; ++b) {
            if (b % 7 == 0) {
                for (int k = 0; k < n; ++k) {
                    lcg = lcg * 1103515245u + 12345u;
                    const int i = static_cast<int>((lcg >> 16) % n),
                              o = static_cast<int>((lcg >> 8) % n);
                    matrix->gate(i, o).setValue(!matrix->gate(i, o).value());
                }
            }
            matrix->process();
            ref.step(*matrix, ins, want);
            for (int o = 0; o < n; ++o)
                for (std::uint32_t s = 0; s < SGBlockSize; ++s)
                    ASSERT_EQ(matrix->outletSignal(o)[s], want[o][s])
                        << n << " block " << b << " outlet " << o << " sample " << s;
            for (int k = 0; k < n * n; ++k)
                ASSERT_EQ(matrix->gain(k / n, k % n), ref.gain[static_cast<std::size_t>(k)]);
        }
    }
}

TEST(MatrixMixer, AFadeTimeChangeAltersAGlideUnderWay) {
    VT4x4Matrix matrix;
    SGSignal one(1.0f);
    plug(matrix, 0, one);
    matrix.gate(0, 0).setValue(true);
    matrix.process();
    const float slow = matrix.gain(0, 0);
    matrix.fadeTime.setValue(5.0);
    matrix.process();
    const float p = matrix.pole();
    EXPECT_LT(p, 0.9971545f);
    float g = slow;
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) g = matrix.inputGain() * 1.0f + p * g;
    EXPECT_EQ(matrix.gain(0, 0), g);
}

TEST(MatrixMixer, ProcessAllocatesNothing) {
    VT8x8Matrix matrix;
    SGSignal in = testBlock(0);
    for (int i = 0; i < 8; ++i) plug(matrix, i, in);
    for (int i = 0; i < 8; ++i) matrix.gate(i, (i * 3) % 8).setValue(true);
    matrix.process();
    matrix.fadeTime.setValue(20.0);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 8; ++b) matrix.process());
}

}  // namespace
