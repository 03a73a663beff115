#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ProcessorFixtures.h"
#include "library/mixers/VTMonoMixer.h"
#include "library/mixers/VTPanPotMixer.h"
#include "library/mixers/VTStereoMixer.h"
#include "support/AudioThreadGuard.h"

namespace {

using namespace vantrel::test;

const int kSizes[] = {2, 3, 4, 6, 8, 12};

// A ramp as the mixers use it: the first target is taken at once, later ones are reached in
// SGBlockSize equal steps, one a sample.
struct ReferenceRamp {
    bool started = false;
    double current = 0.0, increment = 0.0;
    int remaining = 0;
    void setTarget(double v) {
        if (!started) {
            started = true;
            current = v;
            remaining = 0;
            return;
        }
        increment = (v - current) / SGBlockSize;
        remaining = SGBlockSize;
    }
    double next() {
        if (remaining > 0) {
            current += increment;
            --remaining;
        }
        return current;
    }
};

template <typename Mixer>
Mixer& processorOf(VTContraption& c) {
    auto* m = dynamic_cast<Mixer*>(&c.processor());
    EXPECT_NE(m, nullptr);
    return *m;
}

// ---- mono mixers

TEST(MonoMixer, FirstGainIsTakenAtOnceAndLaterOnesRampOverExactlyOneBlock) {
    VTM2Mixer mixer;
    SGSignal in = testBlock(3);
    plug(mixer, 0, in);
    mixer.masterGain.setValue(1.0);
    mixer.gains[0].setValue(1.0);
    mixer.process();
    EXPECT_EQ(samples(mixer.outletSignal(0)), samples(in)) << "unity from the first sample";

    mixer.gains[0].setValue(0.5);
    mixer.process();
    const SGSignal& out = mixer.outletSignal(0);
    double g = 1.0;
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
        g += -0.5 / SGBlockSize;
        ASSERT_EQ(out[s], static_cast<float>(in[s] * g)) << s;
    }
    EXPECT_EQ(g, 0.5) << "the ramp arrives on the last sample";
    mixer.process();
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) ASSERT_EQ(out[s], in[s] * 0.5f) << s;
}

TEST(MonoMixer, EverySizeSumsItsConnectedChannelsUnderTheMasterGain) {
    for (int n : kSizes) {
        auto c = makeKind(kindName("M", n, "Mixer"));
        VTMonoMixer& mixer = processorOf<VTMonoMixer>(*c);
        ASSERT_EQ(mixer.channelCount(), n);
        std::vector<SGSignal> ins;
        for (int i = 0; i < n; ++i) ins.push_back(testBlock(i));
        mixer.masterGain.setValue(0.8);
        for (int i = 0; i < n; ++i) mixer.gains[i].setValue((i + 1.0) / (n + 1.0));
        for (int i = 1; i < n; ++i) plug(mixer, i, ins[i]);  // channel 0 left out
        scribble(mixer);
        mixer.process();
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
            float want = 0.0f;
            for (int i = 1; i < n; ++i) {
                double g = mixer.gains[i].value() * 0.8;
                want = i == 1 ? static_cast<float>(ins[i][s] * g)
                              : static_cast<float>(want + ins[i][s] * g);
            }
            ASSERT_EQ(mixer.outletSignal(0)[s], want) << n << " sample " << s;
        }
        // Nothing connected: silence, not the last block.
        for (int i = 0; i < n; ++i) unplug(mixer, i);
        mixer.process();
        EXPECT_EQ(samples(mixer.outletSignal(0)), samples(SGZeroSignal)) << n;
    }
}

TEST(MonoMixer, AnUnconnectedChannelKeepsItsGainUntilItsOwnChangeIsSeen) {
    VTM2Mixer mixer;
    SGSignal a = testBlock(1), b = testBlock(2);
    plug(mixer, 0, a);
    plug(mixer, 1, b);
    mixer.masterGain.setValue(1.0);
    mixer.gains[0].setValue(1.0);
    mixer.gains[1].setValue(1.0);
    mixer.process();

    // Master halved while channel 1 is unconnected: channel 1 never sees it.
    unplug(mixer, 1);
    mixer.masterGain.setValue(0.5);
    mixer.process();
    mixer.process();
    plug(mixer, 1, b);
    mixer.process();
    EXPECT_EQ(mixer.ramp(1).current(), 1.0);
    EXPECT_EQ(mixer.ramp(0).current(), 0.5);

    // A gain set while unconnected waits for the first block after connection.
    unplug(mixer, 1);
    mixer.gains[1].setValue(0.25);
    mixer.process();
    EXPECT_TRUE(mixer.gains[1].isChanged());
    plug(mixer, 1, b);
    mixer.process();
    EXPECT_FALSE(mixer.gains[1].isChanged());
    EXPECT_EQ(mixer.ramp(1).current(), 0.125);
}

// ---- stereo mixers

TEST(StereoMixer, EverySizePlaysPairsLeftAndRightAndOneSidedChannelsOnBoth) {
    struct Case {
        bool left, right;
    } cases[] = {{true, true}, {false, true}, {true, false}};
    for (int n : kSizes) {
        for (const Case& cs : cases) {
            auto c = makeKind(kindName("S", n, "Mixer"));
            VTStereoMixer& mixer = processorOf<VTStereoMixer>(*c);
            const int k = n - 1;
            SGSignal l = testBlock(1), r = testBlock(2);
            if (cs.left) plug(mixer, 2 * k, l);
            if (cs.right) plug(mixer, 2 * k + 1, r);
            mixer.masterGain.setValue(1.0);
            mixer.gains[k].setValue(0.75);
            scribble(mixer);
            mixer.process();
            const SGSignal& wantLeft = cs.left ? l : r;
            const SGSignal& wantRight = cs.right ? r : l;
            for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
                ASSERT_EQ(mixer.outletSignal(0)[s], wantLeft[s] * 0.75f) << n << " " << s;
                ASSERT_EQ(mixer.outletSignal(1)[s], wantRight[s] * 0.75f) << n << " " << s;
            }
        }
        auto c = makeKind(kindName("S", n, "Mixer"));
        VTStereoMixer& mixer = processorOf<VTStereoMixer>(*c);
        scribble(mixer);
        mixer.process();
        EXPECT_EQ(samples(mixer.outletSignal(0)), samples(SGZeroSignal)) << n;
        EXPECT_EQ(samples(mixer.outletSignal(1)), samples(SGZeroSignal)) << n;
    }
}

TEST(StereoMixer, RampValuesAreRoundedToSinglePrecisionBeforeTheProduct) {
    VTS2Mixer mixer;
    SGSignal l0 = testBlock(1), r0 = testBlock(2), r1 = testBlock(3);
    plug(mixer, 0, l0);
    plug(mixer, 1, r0);
    plug(mixer, 3, r1);  // channel 1: right only
    mixer.masterGain.setValue(1.0);
    mixer.gains[0].setValue(1.0);
    mixer.gains[1].setValue(0.9);
    mixer.process();
    mixer.gains[0].setValue(1.0 / 3.0);
    mixer.gains[1].setValue(0.1);
    mixer.process();

    ReferenceRamp ramp0, ramp1;
    ramp0.setTarget(1.0);
    ramp0.setTarget(1.0 / 3.0);
    ramp1.setTarget(0.9);
    ramp1.setTarget(0.1);
    int roundingMatters = 0;
    for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
        const double v0 = ramp0.next();
        const float f0 = static_cast<float>(v0);
        const float f1 = static_cast<float>(ramp1.next());
        ASSERT_EQ(mixer.outletSignal(0)[s], l0[s] * f0 + r1[s] * f1) << s;
        ASSERT_EQ(mixer.outletSignal(1)[s], r0[s] * f0 + r1[s] * f1) << s;
        if (static_cast<float>(l0[s] * v0) != l0[s] * f0) ++roundingMatters;
    }
    EXPECT_GT(roundingMatters, 0) << "the case tells the two roundings apart";
}

TEST(StereoMixer, ASkippedChannelFollowsItsGainButItsRampWaits) {
    VTS2Mixer mixer;
    SGSignal l = testBlock(1), r = testBlock(2);
    plug(mixer, 0, l);
    mixer.masterGain.setValue(1.0);
    mixer.gains[1].setValue(1.0);
    mixer.process();  // channel 1 unconnected: its ramp takes 1.0 at once
    EXPECT_EQ(mixer.ramp(1).current(), 1.0);
    mixer.gains[1].setValue(0.0);
    mixer.process();  // target 0 taken, but no step while skipped
    EXPECT_FALSE(mixer.gains[1].isChanged());
    EXPECT_EQ(mixer.ramp(1).current(), 1.0);
    plug(mixer, 2, l);
    plug(mixer, 3, r);
    mixer.process();
    // The glide from 1 to 0 happens now, over this block.
    EXPECT_EQ(mixer.ramp(1).current(), 0.0);
    EXPECT_EQ(mixer.outletSignal(1)[0], r[0] * static_cast<float>(1.0 - 1.0 / SGBlockSize));
}

// ---- pan-pot mixers

// The pan law: the gain of one side as a function of the position.
double panLaw(double x) { return 0.5 * (1.0 + std::sin(M_PI * x) + std::cos(M_PI * x)); }

TEST(PanPotMixer, PanTableFollowsThePanLaw) {
    VTP2Mixer mixer;
    for (double x : {0.0, 0.1, 0.25, 0.5, 0.6, 0.75, 0.999, 1.0})
        EXPECT_NEAR(mixer.pan(x), panLaw(x), 2e-6) << x;
    EXPECT_EQ(mixer.pan(-0.5), mixer.pan(0.0));
    EXPECT_EQ(mixer.pan(1.5), mixer.pan(1.0));
    EXPECT_NEAR(mixer.pan(0.25), 1.2071, 1e-4);
    EXPECT_NEAR(mixer.pan(0.75), 0.5, 1e-6);
}

TEST(PanPotMixer, PositionsSendTheChannelLeftRightOrToBothAtUnity) {
    struct Case {
        double pan, left, right, tolerance;
    } cases[] = {
        {0.0, 1.0, 0.0, 1e-7},
        {1.0, 0.0, 1.0, 1e-7},
        {0.5, 1.0, 1.0, 1e-6},
        {0.25, 1.2071, 0.5, 1e-4},
    };
    for (const Case& c : cases) {
        VTP2Mixer mixer;
        SGSignal in(0.5f);
        plug(mixer, 0, in);
        mixer.masterGain.setValue(1.0);
        mixer.gains[0].setValue(1.0);
        mixer.pans[0].setValue(c.pan);
        mixer.process();
        for (std::uint32_t s = 0; s < SGBlockSize; s += 51) {
            EXPECT_NEAR(mixer.outletSignal(0)[s], 0.5 * c.left, 0.5 * c.tolerance) << c.pan;
            EXPECT_NEAR(mixer.outletSignal(1)[s], 0.5 * c.right, 0.5 * c.tolerance) << c.pan;
        }
    }
}

TEST(PanPotMixer, EverySizeMixesAllChannelsThroughTheirPanGains) {
    for (int n : kSizes) {
        auto c = makeKind(kindName("P", n, "Mixer"));
        VTPanPotMixer& mixer = processorOf<VTPanPotMixer>(*c);
        std::vector<SGSignal> ins;
        for (int k = 0; k < n; ++k) ins.push_back(testBlock(k));
        mixer.masterGain.setValue(0.9);
        for (int k = 0; k < n; ++k) {
            plug(mixer, k, ins[k]);
            mixer.gains[k].setValue(0.3 + 0.05 * k);
            mixer.pans[k].setValue(static_cast<double>(k) / n);
        }
        scribble(mixer);
        mixer.process();
        for (std::uint32_t s = 0; s < SGBlockSize; ++s) {
            float left = 0.0f, right = 0.0f;
            for (int k = 0; k < n; ++k) {
                const double g = mixer.gains[k].value() * 0.9;
                const double p = mixer.pans[k].value();
                const double gl = mixer.pan(p) * g, gr = mixer.pan(1.0 - p) * g;
                left = k == 0 ? static_cast<float>(ins[k][s] * gl)
                              : static_cast<float>(left + ins[k][s] * gl);
                right = k == 0 ? static_cast<float>(ins[k][s] * gr)
                               : static_cast<float>(right + ins[k][s] * gr);
            }
            ASSERT_EQ(mixer.outletSignal(0)[s], left) << n << " " << s;
            ASSERT_EQ(mixer.outletSignal(1)[s], right) << n << " " << s;
        }
        for (int k = 0; k < n; ++k) unplug(mixer, k);
        mixer.process();
        EXPECT_EQ(samples(mixer.outletSignal(0)), samples(SGZeroSignal));
        EXPECT_EQ(samples(mixer.outletSignal(1)), samples(SGZeroSignal));
    }
}

TEST(PanPotMixer, APanChangeSeenWithAGainChangeWaitsOneBlockAndChangesNothing) {
    VTP2Mixer mixer;
    SGSignal in = testBlock(4);
    plug(mixer, 0, in);
    mixer.masterGain.setValue(1.0);
    mixer.process();
    mixer.gains[0].setValue(0.6);
    mixer.pans[0].setValue(0.3);
    mixer.process();
    EXPECT_TRUE(mixer.pans[0].isChanged()) << "the pan bit is left for the next block";
    const double left = mixer.leftRamp(0).current(), right = mixer.rightRamp(0).current();
    EXPECT_NEAR(left, mixer.pan(0.3) * 0.6, 1e-12);
    EXPECT_NEAR(right, mixer.pan(0.7) * 0.6, 1e-12);
    mixer.process();
    EXPECT_FALSE(mixer.pans[0].isChanged());
    EXPECT_EQ(mixer.leftRamp(0).current(), left);
    EXPECT_EQ(mixer.rightRamp(0).current(), right);
    EXPECT_EQ(mixer.outletSignal(0)[17], static_cast<float>(in[17] * left));
}

TEST(Mixers, ProcessAllocatesNothing) {
    VTM12Mixer mono;
    VTS12Mixer stereo;
    VTP12Mixer pan;
    SGSignal in = testBlock(0);
    for (int i = 0; i < 12; ++i) {
        plug(mono, i, in);
        plug(pan, i, in);
        plug(stereo, 2 * i + (i % 3 == 0 ? 1 : 0), in);
    }
    mono.process();
    stereo.process();
    pan.process();
    mono.masterGain.setValue(0.5);
    stereo.masterGain.setValue(0.5);
    pan.masterGain.setValue(0.5);
    EXPECT_NO_AUDIO_ALLOCATION(mono.process(); stereo.process(); pan.process());
    EXPECT_NO_AUDIO_ALLOCATION(mono.process(); stereo.process(); pan.process());
}

}  // namespace
