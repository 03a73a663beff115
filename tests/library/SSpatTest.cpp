#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "library/effects/VTSSpat.h"
#include "support/AudioThreadGuard.h"

namespace {

constexpr int kB = static_cast<int>(SGBlockSize);
constexpr double kBlockRate = SGSampleRate / SGBlockSize;

struct Rig {
    VTSSpat s;
    SGSignal input{1.0f};
    std::uint32_t seed = 99;
    Rig() { s.inlet(0).signal = &input; }
    void noise() {
        for (int i = 0; i < kB; ++i) {
            seed = seed * 1664525u + 1013904223u;
            input[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
        }
    }
    void run(int blocks) {
        for (int b = 0; b < blocks; ++b) s.process();
    }
};

TEST(SSpat, DeclaresItsPropertiesInTableOrder) {
    VTSSpat s;
    SGPropertyTable& t = s.propertyTable();
    struct Row {
        const char* name;
        double minimum, maximum;
        const SGProperty* property;
    } rows[] = {
        {"PathSegments", 0, 0, &s.pathSegments},
        {"PathOriginX", 0, 0, &s.pathOriginX},
        {"PathOriginY", 0, 0, &s.pathOriginY},
        {"PathRotation", 0, 0, &s.pathRotation},
        {"PathScale", 0, 0, &s.pathScale},
        {"TrajectoryRate", -3, 3, &s.trajectoryRate},
        {"SpaceScale", 1, 20, &s.spaceScale},
        {"DopplerAmount", 0, 2, &s.dopplerAmount},
        {"AmplitudeAmount", 0, 1, &s.amplitudeAmount},
        {"SpeakerSeparation", 1, 10, &s.speakerSeparation},
        {"ReverbAmount", 0.5, 2, &s.reverbAmount},
    };
    ASSERT_EQ(t.count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(t.info(i).name, rows[i].name);
        EXPECT_EQ(t.info(i).minimum, rows[i].minimum) << rows[i].name;
        EXPECT_EQ(t.info(i).maximum, rows[i].maximum) << rows[i].name;
        EXPECT_EQ(&t.property(i), rows[i].property) << rows[i].name;
    }
    EXPECT_STREQ(s.pathSegments.text(), "0,0.5, -0.5,-0.2, 0.5,-0.2");
    EXPECT_EQ(s.inletCount(), 1);
    EXPECT_EQ(s.outletCount(), 3);
    EXPECT_EQ(s.line().length(), 44544u);
}

TEST(SSpat, StartsWhereThePathStartsWithTheDefaultGeometry) {
    Rig rig;
    rig.s.process();
    EXPECT_NEAR(rig.s.sourceX(), -0.5f, 1e-3);
    EXPECT_NEAR(rig.s.sourceY(), -0.2f, 1e-3);
    EXPECT_NEAR(rig.s.distance().target, 0.8571f, 1e-3);
    // The reverb send reads the input undelayed, scaled by the height law.
    for (int i = 0; i < kB; ++i) ASSERT_NEAR(rig.s.outletSignal(2)[i], 0.2571f, 1e-3);
    // One trip round the three points takes 6 seconds.
    EXPECT_NEAR(rig.s.phaseIncrement(), 0.00096750f, 1e-7);
}

TEST(SSpat, AStandingSourceSettlesOnItsDistanceDelayAndGains) {
    Rig rig;
    rig.s.pathSegments.setValue("-0.5,-0.2, -0.5,-0.2, -0.5,-0.2");
    rig.run(400);
    EXPECT_NEAR(rig.s.distance().current, 0.8571f, 1e-3);
    EXPECT_NEAR(rig.s.directDelay().current(), 0.1002, 2e-4);
    EXPECT_NEAR(rig.s.directDelay().current() * SGSampleRate, 4421.0, 8.0);
    EXPECT_NEAR(rig.s.leftGain().current(), 0.2859, 1e-3);
    EXPECT_NEAR(rig.s.rightGain().current(), 0.2104, 1e-3);
    // DC in: the outlets carry the gains.
    EXPECT_NEAR(rig.s.outletSignal(0)[kB - 1], 0.2859f, 1e-3);
    EXPECT_NEAR(rig.s.outletSignal(1)[kB - 1], 0.2104f, 1e-3);
}

TEST(SSpat, TheSourceFollowsItsSplinePath) {
    struct Case {
        const char* path;
        double rate, rotation, scale, ox, oy;
    } cases[] = {
        {"0,0.5, -0.5,-0.2, 0.5,-0.2", 0.5, 0.0, 1.0, 0.0, 0.0},
        {"0,0.5, -0.5,-0.2, 0.5,-0.2", -0.5, 0.0, 1.0, 0.0, 0.0},
        {"0.1,0.1, 0.8,0.2, 0.7,-0.6, -0.3,-0.9, -0.9,0.4", 2.0, 1.0, 0.7, 0.1, -0.2},
        {"0.1,0.1, 0.8,0.2, 0.7,-0.6, -0.3,-0.9, -0.9,0.4", -3.0, -2.0, 1.5, -0.3, 0.2},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.s.pathSegments.setValue(c.path);
        rig.s.trajectoryRate.setValue(c.rate);
        rig.s.pathRotation.setValue(c.rotation);
        rig.s.pathScale.setValue(c.scale);
        rig.s.pathOriginX.setValue(c.ox);
        rig.s.pathOriginY.setValue(c.oy);
        SGTrigSplinePath path(2048);
        ASSERT_TRUE(path.parse(c.path));
        path.setRotation(c.rotation);
        path.setScale(c.scale);
        path.setOffset(static_cast<float>(c.ox), static_cast<float>(c.oy));
        const float n = static_cast<float>(path.controlPointCount());
        const float inc = static_cast<float>(static_cast<float>(c.rate / n) / kBlockRate);
        float phase = 0.0f;
        for (int b = 0; b < 2000; ++b) {
            rig.s.process();
            float x, y;
            path.evaluate(phase * n, x, y);
            ASSERT_EQ(rig.s.sourceX(), x) << c.path << " block " << b;
            ASSERT_EQ(rig.s.sourceY(), y) << c.path << " block " << b;
            ASSERT_GE(rig.s.phase(), 0.0f);
            ASSERT_LE(rig.s.phase(), 1.0f);
            phase = phase + inc;
            if (phase > 1.0f) phase -= 1.0f;
            if (phase < 0.0f) phase += 1.0f;
        }
    }
}

TEST(SSpat, NoDopplerGivesNoDelay) {
    Rig rig;
    rig.s.dopplerAmount.setValue(0.0);
    for (int b = 0; b < 50; ++b) {
        rig.noise();
        rig.s.process();
        // Undelayed, the outlets keep the sign of every input sample (the gains are positive).
        for (int i = 0; i < kB; ++i) {
            // The read position is a running sum in single precision and may take a trace of
            // the neighbouring sample; that can only turn the sign of a near-zero sample.
            if (std::fabs(rig.input[i]) < 1e-3f) continue;
            ASSERT_GT(rig.s.outletSignal(0)[i] * rig.input[i], 0.0f) << b << " " << i;
            ASSERT_GT(rig.s.outletSignal(1)[i] * rig.input[i], 0.0f) << b << " " << i;
        }
    }
    EXPECT_EQ(rig.s.directDelay().current(), 0.0);
}

TEST(SSpat, ACentredSourceIsEquallyLoudOnBothSides) {
    Rig rig;
    rig.s.pathSegments.setValue("0,0.3, 0,0.3, 0,0.3");
    rig.run(3);
    EXPECT_EQ(rig.s.sourceX(), 0.0f);
    EXPECT_EQ(rig.s.leftGain().current(), rig.s.rightGain().current());
    EXPECT_EQ(rig.s.outletSignal(0)[kB - 1], rig.s.outletSignal(1)[kB - 1]);
}

TEST(SSpat, RateZeroHoldsTheSourceAndItsDistance) {
    Rig rig;
    rig.s.trajectoryRate.setValue(0.0);
    rig.run(50);
    EXPECT_EQ(rig.s.phase(), 0.0f);
    EXPECT_EQ(rig.s.distance().pole, 1.0f);
    EXPECT_EQ(rig.s.distance().current, 1.0f);
}

TEST(SSpat, ATextThatIsNoPathLeavesThePath) {
    Rig rig;
    rig.run(5);
    const float x = rig.s.path().xs()[100];
    for (const char* bad : {"", "1,2", "a,b, c,d, e,f", "0,0, 1,1, 2", "nan,0, 1,1, 2,2"}) {
        rig.s.pathSegments.setValue(bad);
        rig.run(2);
        EXPECT_EQ(rig.s.path().controlPointCount(), 3) << bad;
        EXPECT_EQ(rig.s.path().xs()[100], x) << bad;
    }
}

TEST(SSpat, DegenerateGeometryStaysFinite) {
    // A source on the bottom line, below it, and where the perspective divides by zero.
    for (const char* path :
         {"0.3,-1, 0.3,-1, 0.3,-1", "0.3,-1.5, 0.3,-1.5, 0.3,-1.5", "-0.8,-3, -0.8,-3, -0.8,-3"}) {
        Rig rig;
        rig.s.pathSegments.setValue(path);
        rig.s.pathScale.setValue(1.0);
        for (int b = 0; b < 100; ++b) {
            rig.noise();
            rig.s.process();
            for (int c = 0; c < 3; ++c)
                for (int i = 0; i < kB; ++i)
                    ASSERT_TRUE(std::isfinite(rig.s.outletSignal(c)[i])) << path << " " << c;
        }
    }
}

TEST(SSpat, ProcessAllocatesNothingAlsoWhenThePathChanges) {
    Rig rig;
    rig.s.trajectoryRate.setValue(3.0);
    rig.s.dopplerAmount.setValue(2.0);
    rig.s.spaceScale.setValue(20.0);
    rig.run(2);
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 50; ++b) rig.s.process());
    rig.s.pathSegments.setValue("0.1,0.1, 0.8,0.2, 0.7,-0.6, -0.3,-0.9");
    EXPECT_NO_AUDIO_ALLOCATION(rig.s.process());
    EXPECT_EQ(rig.s.path().controlPointCount(), 4);
}

}  // namespace
