#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "LibraryWavFixtures.h"
#include "library/sequencers/VTLoopPlayer.h"
#include "signal/SGDynSigContext.h"
#include "support/AudioThreadGuard.h"

namespace {

using LibraryWavFixtures::ScratchFolder;
using LibraryWavFixtures::writeWav;

constexpr int kB = static_cast<int>(SGBlockSize);

double samplesPerTick(double bpm) { return SGSampleRate * 60.0 / (bpm * 24.0); }

// A loop player on a running clock that the rig moves on by one block after each block, the way
// the signal context does.
struct Rig {
    SGDynSigContext ctx;
    VTLoopPlayer p;
    std::vector<float> left, right;
    explicit Rig(double bpm = 120.0, double start = 0.0) {
        p.setContext(&ctx);
        ctx.setSamplesPerTick(samplesPerTick(bpm));
        ctx.setClockPosition(start);
        ctx.startClock();
    }
    ~Rig() { p.setContext(nullptr); }
    void run(int blocks) {
        for (int b = 0; b < blocks; ++b) {
            p.process();
            left.insert(left.end(), p.outletSignal(0).samples(), p.outletSignal(0).samples() + kB);
            right.insert(right.end(), p.outletSignal(1).samples(),
                         p.outletSignal(1).samples() + kB);
            if (ctx.isClockRunning())
                ctx.setClockPosition(ctx.clockPosition() + kB / ctx.samplesPerTick());
        }
    }
};

// Five periods of a sine over n frames.
std::vector<std::int16_t> sineFile(std::size_t n, int channels = 1) {
    std::vector<std::int16_t> s;
    for (std::size_t k = 0; k < n; ++k)
        for (int c = 0; c < channels; ++c)
            s.push_back(static_cast<std::int16_t>(
                std::lround((c == 0 ? 20000 : -10000) * std::sin(2 * M_PI * 5.0 * k / n))));
    return s;
}

// The sound at a fractional frame, as the player interpolates it, wrapping at the end.
double at(const std::vector<std::int16_t>& d, double pos) {
    const std::size_t n = d.size();
    const auto p = static_cast<std::size_t>(pos);
    const double f = pos - p;
    return (d[p % n] + (d[(p + 1) % n] - d[p % n]) * f) / 32768.0;
}

TEST(LoopPlayer, DeclaresItsPropertiesInTableOrder) {
    VTLoopPlayer p;
    SGPropertyTable& t = p.propertyTable();
    const char* names[] = {"File", "BarCount", "Stretch", "Phase", "Mute"};
    const SGProperty* props[] = {&p.file, &p.barCount, &p.stretch, &p.phase, &p.mute};
    ASSERT_EQ(t.count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.info(i).name, names[i]);
        EXPECT_EQ(&t.property(i), props[i]);
    }
    EXPECT_EQ(p.barCount.value(), 1);
    EXPECT_TRUE(p.stretch.value());
    EXPECT_EQ(p.phase.value(), 0);
    EXPECT_FALSE(p.mute.value());
    EXPECT_TRUE(p.isPlaying());
    EXPECT_EQ(p.inletCount(), 0);
    EXPECT_EQ(p.outletCount(), 2);
}

TEST(LoopPlayer, NeverDriftsFromTheClockOverManyBars) {
    ScratchFolder dir;
    const auto sound = sineFile(88200);
    writeWav(dir.path("loop.wav"), 44100, 1, sound);
    struct Case {
        double bpm;
        int bars;
        int loops;
    } cases[] = {{120.0, 1, 40}, {120.0, 2, 12}, {97.0, 1, 30}, {173.3, 3, 20}, {61.7, 1, 10}};
    for (const Case& c : cases) {
        Rig rig(c.bpm);
        rig.p.file.setValue(dir.path("loop.wav").c_str());
        rig.p.barCount.setValue(c.bars);
        const double L = samplesPerTick(c.bpm) * 96 * c.bars;
        const int blocks = static_cast<int>(L * c.loops / kB);
        rig.run(blocks);
        const double rate = 88200.0 / L;
        double worst = 0.0;
        for (std::size_t n = 0; n < rig.left.size(); ++n) {
            const double h = std::fmod(static_cast<double>(n), L);
            worst = std::max(worst, std::fabs(rig.left[n] - at(sound, h * rate)));
        }
        // The file's own interpolation step is far larger than this; a drift of one sample
        // anywhere in the run would show as about 20000 * 2 pi * 5 / 88200 / 32768 = 2e-4.
        EXPECT_LT(worst, 2e-5) << c.bpm << " bpm, " << c.bars << " bars";
        EXPECT_NEAR(rig.p.rate(), rate, 1e-12);
    }
}

TEST(LoopPlayer, LoopLengthRateAndPhase) {
    ScratchFolder dir;
    const auto sound = sineFile(88200);
    writeWav(dir.path("loop.wav"), 44100, 1, sound);
    Rig a, b;
    for (Rig* r : {&a, &b}) {
        r->p.file.setValue(dir.path("loop.wav").c_str());
        r->p.barCount.setValue(2);
    }
    b.p.phase.setValue(4);
    a.run(800);
    b.run(800);
    EXPECT_DOUBLE_EQ(a.p.rate(), 0.5) << "176400 samples for 88200 frames";
    // Four semiquavers are a beat, 22050 samples at 120 beats per minute.
    for (std::size_t n = 0; n + 22050 < a.left.size(); n += 97)
        ASSERT_NEAR(b.left[n], a.left[n + 22050], 1e-6) << n;
}

TEST(LoopPlayer, WithoutStretchTheFilePlaysAtItsOwnSpeedFromTheLoopStart) {
    ScratchFolder dir;
    const auto shorter = sineFile(50000);
    const auto longer = sineFile(100000);
    writeWav(dir.path("short.wav"), 44100, 1, shorter);
    writeWav(dir.path("long.wav"), 44100, 1, longer);
    writeWav(dir.path("half.wav"), 22050, 1, shorter);
    const double L = 88200.0;  // one bar at 120
    struct Case {
        const char* file;
        const std::vector<std::int16_t>* sound;
        double rate;
    } cases[] = {
        {"short.wav", &shorter, 1.0}, {"long.wav", &longer, 1.0}, {"half.wav", &shorter, 0.5}};
    for (const Case& c : cases) {
        Rig rig;
        rig.p.file.setValue(dir.path(c.file).c_str());
        rig.p.stretch.setValue(false);
        rig.run(static_cast<int>(3 * L / kB));
        EXPECT_DOUBLE_EQ(rig.p.rate(), c.rate);
        const double count = static_cast<double>(c.sound->size());
        for (std::size_t n = 0; n < rig.left.size(); ++n) {
            const double h = std::fmod(static_cast<double>(n), L);
            // The clock position is a running sum: the sample at the loop start may still
            // belong to the loop's end.
            if (h < 1.0 && n > 0) continue;
            const double pos = h * c.rate;
            // Silent after the end of a short file; a long one is cut at the loop end.
            const double want = pos < count ? at(*c.sound, pos) : 0.0;
            ASSERT_NEAR(rig.left[n], want, 2e-5) << c.file << " sample " << n;
        }
    }
}

TEST(LoopPlayer, StereoChannelsGoToTheirOutlets) {
    ScratchFolder dir;
    const auto sound = sineFile(88200, 2);
    writeWav(dir.path("st.wav"), 44100, 2, sound);
    Rig rig;
    rig.p.file.setValue(dir.path("st.wav").c_str());
    rig.run(20);
    ASSERT_TRUE(rig.p.sample().isStereo());
    for (std::size_t n = 1; n < rig.left.size(); n += 13) {
        EXPECT_NEAR(rig.left[n], sound[2 * n] / 32768.0, 1e-6);
        EXPECT_NEAR(rig.right[n], sound[2 * n + 1] / 32768.0, 1e-6);
    }
}

TEST(LoopPlayer, MuteWaitsForABarLine) {
    ScratchFolder dir;
    writeWav(dir.path("dc.wav"), 44100, 1, std::vector<std::int16_t>(88200, 16384));
    Rig rig;
    rig.p.file.setValue(dir.path("dc.wav").c_str());
    rig.run(100);  // into the middle of the first bar (88200 samples are 344.5 blocks)
    rig.p.mute.setValue(true);
    rig.run(240);
    EXPECT_TRUE(rig.p.isPlaying()) << "still sounding before the bar line";
    EXPECT_EQ(rig.left.back(), 0.5f);
    // The next bar line that starts inside a block silences it.
    rig.run(10);
    EXPECT_FALSE(rig.p.isPlaying());
    EXPECT_EQ(rig.left.back(), 0.0f);
    rig.p.mute.setValue(false);
    rig.run(300);
    EXPECT_FALSE(rig.p.isPlaying());
    rig.run(50);
    EXPECT_TRUE(rig.p.isPlaying());
    EXPECT_EQ(rig.left.back(), 0.5f);
}

TEST(LoopPlayer, SilentWithoutAClockOrAUsableFile) {
    ScratchFolder dir;
    writeWav(dir.path("dc.wav"), 44100, 1, std::vector<std::int16_t>(1000, 16384));
    LibraryWavFixtures::writeBytes(dir.path("bad.wav"), "RIFF\x04\0\0\0WAVE");
    {
        Rig rig;
        rig.p.file.setValue(dir.path("dc.wav").c_str());
        rig.ctx.stopClock();
        rig.run(5);
        for (float v : rig.left) ASSERT_EQ(v, 0.0f);
    }
    for (const std::string& f : {std::string(), dir.path("missing.wav"), dir.path("bad.wav")}) {
        Rig rig;
        rig.p.file.setValue(f.c_str());
        rig.run(5);
        EXPECT_EQ(rig.p.sample().frames(), 0u) << f;
        for (float v : rig.left) ASSERT_EQ(v, 0.0f) << f;
    }
}

TEST(LoopPlayer, UnusualSettingsNeitherHangNorGoSilentForABlock) {
    ScratchFolder dir;
    writeWav(dir.path("dc.wav"), 44100, 1, std::vector<std::int16_t>(88200, 16384));
    struct Case {
        int bars, phase;
        double bpm, start;
    } cases[] = {
        {0, 0, 120.0, 0.0},   {-3, 0, 120.0, 0.0},    {1, 16, 120.0, 0.0},   {1, -16, 120.0, 0.0},
        {1, 512, 120.0, 0.0}, {2, -512, 90.0, -37.5}, {32, 7, 300.0, 1.0e7},
    };
    for (const Case& c : cases) {
        Rig rig(c.bpm, c.start);
        rig.p.file.setValue(dir.path("dc.wav").c_str());
        rig.p.barCount.setValue(c.bars);
        rig.p.phase.setValue(c.phase);
        rig.run(400);
        // With stretch a DC file sounds at every sample of every loop.
        for (std::size_t n = 0; n < rig.left.size(); ++n)
            ASSERT_EQ(rig.left[n], 0.5f) << c.bars << " bars, phase " << c.phase << " at " << n;
    }
    Rig stalled;
    stalled.p.file.setValue(dir.path("dc.wav").c_str());
    stalled.ctx.setSamplesPerTick(0.0);
    stalled.p.process();
    EXPECT_EQ(stalled.p.outletSignal(0)[0], 0.0f);
}

TEST(LoopPlayer, ProcessAllocatesNothing) {
    ScratchFolder dir;
    writeWav(dir.path("st.wav"), 44100, 2, sineFile(30000, 2));
    Rig rig;
    rig.p.file.setValue(dir.path("st.wav").c_str());
    rig.p.process();
    EXPECT_NO_AUDIO_ALLOCATION(for (int b = 0; b < 100; ++b) rig.p.process());
}

}  // namespace
