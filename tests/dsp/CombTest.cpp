#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "dsp/SGAllpass.h"
#include "dsp/SGComb.h"
#include "dsp/SGVInterp.h"
#include "sgopt/SGOpt.h"
#include "signal/SGSignal.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr std::int32_t kB = static_cast<std::int32_t>(SGBlockSize);

enum class Op { Process, ProcessAdd, BlockDelay, Allpass };

const char* name(Op op) {
    switch (op) {
        case Op::Process:
            return "process";
        case Op::ProcessAdd:
            return "processAdd";
        case Op::BlockDelay:
            return "processBlockDelay";
        case Op::Allpass:
            return "allpass";
    }
    return "";
}

// The comb and all-pass steps written out one sample at a time, as plainly as they can be put,
// to check the block-wise code against. The ring is the same: length + 1 slots, the last one a
// copy of slot 0 written together with it (from the very first block on).
struct ReferenceRing {
    explicit ReferenceRing(std::uint32_t length)
        : l(static_cast<std::int32_t>(length)), b(length + 1) {}

    void run(Op op, const SGSignal& in, SGSignal& out, float gain = 1.0f) {
        std::int32_t c = 0;
        float frac = 0.0f;
        const bool blockDelay = op == Op::BlockDelay || op == Op::Allpass;
        if (blockDelay) {
            delay.advanceBlock();  // the whole block's steps at once
            const auto d = static_cast<float>(delay.current());
            c = SGTruncate(static_cast<float>(d + 1.0));
            frac = static_cast<float>(c) - d;
        }
        for (std::int32_t i = 0; i < kB; ++i) {
            const bool atStart = i == 0 && (w == l || w == 0);
            const std::int32_t readW = atStart ? l : w;
            if (!blockDelay) {
                const auto d = static_cast<float>(delay.next());
                c = SGTruncate(static_cast<float>(d + 1.0));
                frac = static_cast<float>(c) - d;
            }
            std::int32_t idx = readW - c;
            if (idx < 0) idx += l;
            const float y = b[idx] + (b[idx + 1] - b[idx]) * frac;
            const float x = in[i];
            float v;
            if (op == Op::Allpass) {
                const auto g = static_cast<float>(feedback.next());
                v = y * g + x;
                out[i] = y * (1.0f - g * g) - x;
            } else {
                if (op == Op::ProcessAdd)
                    out[i] = out[i] + gain * y;
                else
                    out[i] = y;
                const double g = feedback.next();
                v = static_cast<float>(g * y + x);
            }
            if (atStart) {
                b[0] = v;
                b[l] = v;
                w = 1;
            } else {
                b[w] = v;
                w = w + 1;
            }
        }
    }

    std::int32_t l;
    std::int32_t w = 0;
    std::vector<float> b;
    SGVInterp delay;
    SGVInterp feedback;
};

void runOp(Op op, SGFeedbackDelay& ring, const SGSignal& in, SGSignal& out, float gain = 1.0f) {
    switch (op) {
        case Op::Process:
            static_cast<SGComb&>(ring).process(in, out);
            break;
        case Op::ProcessAdd:
            static_cast<SGComb&>(ring).processAdd(in, out, gain);
            break;
        case Op::BlockDelay:
            static_cast<SGComb&>(ring).processBlockDelay(in, out);
            break;
        case Op::Allpass:
            static_cast<SGAllpass&>(ring).processBlockDelay(in, out);
            break;
    }
}

std::unique_ptr<SGFeedbackDelay> makeRing(Op op, double maxSeconds) {
    if (op == Op::Allpass) return std::make_unique<SGAllpass>(maxSeconds);
    return std::make_unique<SGComb>(maxSeconds);
}

// The response to a unit impulse at sample 0, over `blocks` blocks.
std::vector<float> impulseResponse(Op op, double delay, double feedback, int blocks,
                                   double maxSeconds = 0.05) {
    auto ring = makeRing(op, maxSeconds);
    ring->delay().setTarget(delay, kB);
    ring->feedback().setTarget(feedback, kB);
    std::vector<float> response;
    SGSignal in(0.0f), out;
    in[0] = 1.0f;
    for (int k = 0; k < blocks; ++k) {
        out.fill(0.0f);
        runOp(op, *ring, in, out);
        in[0] = 0.0f;
        response.insert(response.end(), out.samples(), out.samples() + kB);
    }
    return response;
}

const Op kCombOps[] = {Op::Process, Op::ProcessAdd, Op::BlockDelay};

TEST(SGComb, IsSizedInWholeBlocksWithOneBlockToSpare) {
    struct Case {
        double seconds;
        std::uint32_t slots;
    };
    const Case cases[] = {{0.05, 2304}, {0.1, 4608}, {0.06, 2816}, {0.0, 256}, {-1.0, 256}};
    for (const Case& c : cases) {
        SGComb comb(c.seconds);
        SGAllpass allpass(c.seconds);
        EXPECT_EQ(comb.length(), c.slots) << c.seconds;
        EXPECT_EQ(allpass.length(), c.slots) << c.seconds;
        EXPECT_EQ(comb.writeIndex(), 0);
        EXPECT_EQ(comb.frequency(), 440.0);
        EXPECT_EQ(comb.delay().remaining(), -1);
        EXPECT_EQ(comb.feedback().current(), 0.0);
        for (std::uint32_t k = 0; k <= comb.length(); ++k) ASSERT_EQ(comb.buffer()[k], 0.0f);
    }
}

TEST(SGComb, AnImpulseComesBackAtTheDelayInterpolatedFromTheFirstBlockOn) {
    // The reads at sample 100 reach back across the ring end (slot length - 1 and the guard),
    // so a fresh comb must already hold slot 0's copy in the guard.
    struct Case {
        double delay;
        std::vector<std::pair<int, float>> echoes;  // every other sample is 0
    };
    const Case cases[] = {
        {100.0, {{100, 1.0f}}},
        {100.5, {{100, 0.5f}, {101, 0.5f}}},
        {100.25, {{100, 0.75f}, {101, 0.25f}}},
        {1.0, {{1, 1.0f}}},
        {300.75, {{300, 0.25f}, {301, 0.75f}}},
        {2303.0, {{2303, 1.0f}}},  // the longest delay the ring holds
    };
    for (Op op : kCombOps) {
        for (const Case& c : cases) {
            const std::vector<float> r = impulseResponse(op, c.delay, 0.0, 12);
            for (std::size_t n = 0; n < r.size(); ++n) {
                float expected = 0.0f;
                for (const auto& [at, value] : c.echoes)
                    if (static_cast<std::size_t>(at) == n) expected = value;
                ASSERT_EQ(r[n], expected) << name(op) << " delay " << c.delay << " sample " << n;
            }
        }
    }
}

TEST(SGComb, FeedbackRepeatsTheImpulseWithFallingAmplitudesAcrossRingWraps) {
    for (Op op : kCombOps) {
        for (double delay : {100.0, 1000.0, 2303.0}) {
            const std::vector<float> r = impulseResponse(op, delay, 0.5, 60);
            const auto d = static_cast<std::size_t>(delay);
            float amplitude = 1.0f;
            for (std::size_t n = 0; n < r.size(); ++n) {
                if (n > 0 && n % d == 0) {
                    ASSERT_EQ(r[n], amplitude) << name(op) << " " << delay << " " << n;
                    amplitude *= 0.5f;
                } else {
                    ASSERT_EQ(r[n], 0.0f) << name(op) << " " << delay << " " << n;
                }
            }
        }
    }
}

TEST(SGComb, AReverbCombFallsBySixtyDecibelsInTheReverbTime) {
    // A reverb comb: loop time 0.0297 s, feedback 0.001^(loop time / T). The interpolating taps
    // sum to one, so the k-th echo (spread over a few samples) sums to feedback^(k - 1).
    const float loop = 0.0297f;
    const double delay = SGSampleRate * loop;  // 1309.77 samples
    for (double reverbTime : {0.25, 0.5, 1.0}) {
        const double g = std::pow(0.001, loop / reverbTime);
        const int echoes = static_cast<int>(reverbTime * SGSampleRate / delay) + 2;
        const int blocks = static_cast<int>((echoes + 1) * 1310 / kB) + 2;
        const std::vector<float> r = impulseResponse(Op::BlockDelay, delay, g, blocks, loop + 0.1);
        for (int k = 1; k <= echoes; ++k) {
            double sum = 0.0;
            for (int n = k * 1309; n <= k * 1310; ++n) sum += r[n];
            EXPECT_NEAR(sum, std::pow(g, k - 1), 1e-5) << reverbTime << " echo " << k;
            const double seconds = (k - 1) * delay / SGSampleRate;
            // Past the reverb time the echo is below -60 dB, before it above.
            if (seconds >= reverbTime) {
                EXPECT_LE(sum, 0.001 * (1 + 1e-4)) << k;
            }
            if (seconds < reverbTime - 0.03) {
                EXPECT_GT(sum, 0.001) << k;
            }
        }
    }
}

// Random input, a new delay and feedback target every few blocks (with glides), compared sample
// for sample with the plain reference, processing in place or into a separate block.
void checkAgainstReference(Op op, double maxSeconds, const std::vector<double>& delays,
                           bool inPlace) {
    auto ring = makeRing(op, maxSeconds);
    ReferenceRing ref(ring->length());
    std::mt19937 random(42);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    std::uniform_real_distribution<double> gain(-0.95, 0.95);
    SGSignal in, out, refOut;
    int block = 0;
    for (double delay : delays) {
        const double g = gain(random);
        ring->delay().setTarget(delay, kB);
        ring->feedback().setTarget(g, kB);
        ref.delay.setTarget(delay, kB);
        ref.feedback.setTarget(g, kB);
        for (int k = 0; k < 5; ++k, ++block) {
            for (std::int32_t i = 0; i < kB; ++i) in[i] = sample(random);
            // processAdd adds onto what the output holds: in place, that is the input.
            for (std::int32_t i = 0; i < kB; ++i) refOut[i] = out[i] = sample(random);
            if (inPlace) refOut.assign(in);
            ref.run(op, in, refOut, 0.625f);
            if (inPlace) {
                out.assign(in);
                runOp(op, *ring, out, out, 0.625f);
            } else {
                runOp(op, *ring, in, out, 0.625f);
            }
            for (std::int32_t i = 0; i < kB; ++i)
                ASSERT_EQ(out[i], refOut[i])
                    << name(op) << " delay " << delay << " block " << block << " sample " << i;
            ASSERT_EQ(ring->writeIndex(), ref.w);
            for (std::int32_t s = 0; s <= ref.l; ++s) ASSERT_EQ(ring->buffer()[s], ref.b[s]) << s;
        }
    }
}

TEST(SGComb, BlockCodeMatchesTheSampleBySampleStepsAtEveryDelay) {
    // Delays below one sample, shorter and longer than a block, and up to the end of the ring.
    const std::vector<double> delays = {100.0, 0.3,    1.0,   1.5,   2.0,   3.25,    75.3,   220.5,
                                        255.0, 255.5,  256.0, 257.0, 700.1, 1309.77, 2302.5, 2303.0,
                                        17.0,  2000.0, 40.75, 1.0,   7.5,   8.0,     9.0,    7.0};
    for (Op op : {Op::Process, Op::ProcessAdd, Op::BlockDelay, Op::Allpass}) {
        checkAgainstReference(op, 0.05, delays, false);
        checkAgainstReference(op, 0.05, delays, true);
    }
}

TEST(SGComb, ProcessingInPlaceGivesWhatSeparateBlocksGive) {
    for (Op op : {Op::Process, Op::ProcessAdd, Op::BlockDelay, Op::Allpass}) {
        auto separate = makeRing(op, 0.05);
        auto inPlace = makeRing(op, 0.05);
        std::mt19937 random(7);
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        for (int block = 0; block < 40; ++block) {
            const double delay = block % 2 ? 37.5 : 600.25;
            for (SGFeedbackDelay* r : {separate.get(), inPlace.get()}) {
                r->delay().setTarget(delay, kB);
                r->feedback().setTarget(0.7, kB);
            }
            SGSignal in, out(0.0f);
            for (std::int32_t i = 0; i < kB; ++i) in[i] = sample(random);
            // In place the output block starts as the input: processAdd then adds onto it.
            if (op == Op::ProcessAdd) out.assign(in);
            SGSignal io(in);
            runOp(op, *separate, in, out, 0.5f);
            runOp(op, *inPlace, io, io, 0.5f);
            for (std::int32_t i = 0; i < kB; ++i)
                ASSERT_EQ(io[i], out[i]) << name(op) << " block " << block << " sample " << i;
        }
    }
}

TEST(SGComb, TheRingStaysInsideItsSlotsAndTheGuardFollowsSlotZero) {
    // Delays outside the owners' contract (negative, not a number, beyond the ring) are held at
    // the ring's ends: the reads stay inside the ring (the sanitizer build checks every access).
    const double delays[] = {-5.0,         0.0,    0.5,
                             2303.0,       2303.5, 2304.0,
                             5000.0,       1e30,   std::numeric_limits<double>::infinity(),
                             std::nan(""), 12.5};
    for (Op op : {Op::Process, Op::ProcessAdd, Op::BlockDelay, Op::Allpass}) {
        auto ring = makeRing(op, 0.05);
        const auto l = static_cast<std::int32_t>(ring->length());
        SGSignal in, out(0.0f);
        int block = 0;
        for (double delay : delays) {
            ring->delay().setTarget(delay, kB);
            ring->feedback().setTarget(0.5, kB);
            for (int k = 0; k < 12; ++k, ++block) {
                for (std::int32_t i = 0; i < kB; ++i) in[i] = ((block * kB + i) % 17) * 0.05f;
                const std::int32_t start = ring->writeIndex();
                runOp(op, *ring, in, out);
                const std::int32_t w = ring->writeIndex();
                EXPECT_EQ(w % kB, 0);
                EXPECT_GE(w, kB);
                EXPECT_LE(w, l);
                if (start == 0 || start == l) {
                    EXPECT_EQ(ring->buffer()[l], ring->buffer()[0]);
                }
                for (std::int32_t i = 0; i < kB; ++i)
                    ASSERT_TRUE(std::isfinite(out[i])) << name(op) << " " << delay;
            }
            EXPECT_EQ(ring->buffer()[l], ring->buffer()[0]);
        }
    }
}

TEST(SGComb, ClearSilencesTheRing) {
    SGComb comb(0.05);
    comb.delay().setTarget(50.0, kB);
    comb.feedback().setTarget(0.9, kB);
    SGSignal in(1.0f), out;
    for (int k = 0; k < 5; ++k) comb.process(in, out);
    comb.clear();
    EXPECT_EQ(comb.writeIndex(), 0);
    in.fill(0.0f);
    comb.process(in, out);
    for (std::int32_t i = 0; i < kB; ++i) ASSERT_EQ(out[i], 0.0f);
}

TEST(SGAllpass, WithoutGainItGivesTheDelayedInputMinusThePresentInput) {
    SGAllpass allpass(0.0017 + 0.1);
    allpass.delay().setTarget(75.0, kB);
    allpass.feedback().setTarget(0.0, kB);
    std::vector<float> input;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    SGSignal in, out;
    for (int block = 0; block < 30; ++block) {
        for (std::int32_t i = 0; i < kB; ++i) input.push_back(in[i] = sample(random));
        allpass.processBlockDelay(in, out);
        for (std::int32_t i = 0; i < kB; ++i) {
            const std::size_t n = block * kB + i;
            // A whole delay of 75 interpolates between 76 and 75 samples back with weight 1.
            const float older = n >= 76 ? input[n - 76] : 0.0f;
            const float newer = n >= 75 ? input[n - 75] : 0.0f;
            const float delayed = older + (newer - older) * 1.0f;
            ASSERT_EQ(out[i], delayed - input[n]) << n;
        }
    }
}

TEST(SGAllpass, AnImpulseLeavesAtOnceInvertedAndReturnsScaledByOneMinusGSquared) {
    const float g = 0.7f;
    const std::vector<float> r = impulseResponse(Op::Allpass, 221.0, g, 20, 0.105);
    EXPECT_EQ(r[0], -1.0f);
    float echo = 1.0f - g * g;
    for (std::size_t n = 1; n < r.size(); ++n) {
        if (n % 221 == 0) {
            EXPECT_FLOAT_EQ(r[n], echo) << n;
            echo *= g;
        } else {
            ASSERT_EQ(r[n], 0.0f) << n;
        }
    }
}

TEST(SGComb, BlockOperationsAllocateNothing) {
    SGComb comb(0.1);
    SGAllpass allpass(0.105);
    comb.delay().setTarget(100.5, kB);
    comb.feedback().setTarget(0.8, kB);
    allpass.delay().setTarget(220.5, kB);
    allpass.feedback().setTarget(0.7, kB);
    SGSignal in(0.1f), out;
    EXPECT_NO_AUDIO_ALLOCATION({
        for (int k = 0; k < 100; ++k) {
            comb.delay().setTarget(100.5 + k, kB);
            comb.process(in, out);
            comb.processAdd(in, out, 0.5f);
            comb.processBlockDelay(in, out);
            allpass.processBlockDelay(out, out);
        }
    });
}

}  // namespace
