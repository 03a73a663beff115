#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>
#include <filesystem>
#include <optional>

#include "AudioTestFiles.h"
#include "ExportTestSupport.h"
#include "audio/VTAuxIn.h"
#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "export/VTExportRenderer.h"
#include "export/VTWaveExport.h"
#include "signal/SGDynSigContext.h"
#include "signal/SGTempo.h"
#include "support/AudioThreadGuard.h"
#include "support/RecordingMessageBox.h"
#include "support/TestProcessors.h"
#include "wave/VTSampleConversion.h"

namespace {

namespace fs = std::filesystem;
using AudioTestFiles::readWav;
using vantrel::test::ClockProbe;
using vantrel::test::ConstantSource;
using vantrel::test::RecordingMessageBox;
using vantrel::test::RecordingProgress;
using VTSampleConversion::floatToSample16;
using Result = VTWaveExport::Result;

constexpr std::uint64_t kChunk = 131072;

// A patch of a clock probe wired to the main output, at 120 BPM, over a pool of its own. The
// context is declared first so that the pool, and what it still lends, goes before it.
class WaveExport : public ::testing::Test {
protected:
    WaveExport() {
        context.setSamplesPerTick(sgSamplesPerTickFromTempo(120.0));
        out = static_cast<VTSoundOut*>(pool.acquireOutput(0));
        out->setContext(&context);
        probe = new ClockProbe;  // owned by the context
        probe->setContext(&context);
        context.connect(probe, 0, out, 0);
        context.connect(probe, 1, out, 1);
    }

    static VTExportSettings bars(double preRoll, double record) {
        VTExportSettings s;
        s.preRoll = preRoll;
        s.record = record;
        return s;
    }
    static VTExportSettings seconds(double preRoll, double record,
                                    VTExportMode mode = VTExportMode::TimedSegment) {
        VTExportSettings s;
        s.mode = mode;
        s.inBars = false;
        s.preRoll = preRoll;
        s.record = record;
        return s;
    }
    Result run(const VTExportSettings& s, VTFreeSpaceQuery space = {}) {
        VTWaveExport exporter(context, pool, std::move(space));
        Result r = exporter.run(s, file, progress);
        written = exporter.framesWritten();
        return r;
    }
    // The pre-roll chunks the probe ran through before recording began.
    std::size_t blocksBeforeRecording(std::uint64_t preRollFrames) const {
        return preRollFrames / SGBlockSize;
    }

    SGDynSigContext context;
    VTIOContraptionPool pool;
    VTSoundOut* out = nullptr;
    ClockProbe* probe = nullptr;
    AudioTestFiles::ScratchDir dir;
    std::string file = dir.path("export.wav");
    RecordingProgress progress;
    RecordingMessageBox messages;
    std::uint64_t written = 0;
};

TEST_F(WaveExport, OneBarAt120BpmIs88200Frames) {
    ASSERT_EQ(run(bars(0, 1)), Result::Completed);
    auto wav = readWav(file);
    ASSERT_TRUE(wav.ok);
    EXPECT_EQ(wav.dataSize, 352800u);
    EXPECT_EQ(wav.rate, 44100u);
    EXPECT_EQ(wav.channels, 2u);
    EXPECT_EQ(written, 88200u);
    // One chunk rendered, starting at tick 0.
    EXPECT_EQ(probe->resets, 1);
    EXPECT_EQ(probe->frame, kChunk);
    EXPECT_DOUBLE_EQ(probe->positions.at(0), 0.0);
    EXPECT_EQ(progress.captions, std::vector<std::string>{"Exporting Wave File..."});
    EXPECT_EQ(progress.lines,
              (std::vector<std::string>{"Pre-rolling...|", "Exporting to:|" + file}));
    EXPECT_EQ(progress.ends, 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(WaveExport, WritesWhatTheMainOutputReceives) {
    ASSERT_EQ(run(bars(1, 1)), Result::Completed);
    auto wav = readWav(file);
    ASSERT_EQ(wav.samples.size(), 2u * 88200u);
    // The pre-roll of one bar is raised to one chunk; recording begins with the probe's next frame.
    for (std::uint64_t f = 0; f < 88200; ++f) {
        ASSERT_EQ(wav.samples[2 * f], floatToSample16(ClockProbe::left(kChunk + f))) << f;
        ASSERT_EQ(wav.samples[2 * f + 1], floatToSample16(ClockProbe::right(kChunk + f))) << f;
    }
}

TEST_F(WaveExport, ConstantSourceGivesItsSampleEverywhere) {
    auto* constant = new ConstantSource(0.25f, 2);
    constant->setContext(&context);
    context.disconnect(probe, 0, out, 0);
    context.disconnect(probe, 1, out, 1);
    context.connect(constant, 0, out, 0);
    context.connect(constant, 1, out, 1);
    ASSERT_EQ(run(seconds(0, 0.1)), Result::Completed);
    auto wav = readWav(file);
    ASSERT_EQ(wav.dataSize, 4410u * 4u) << "0.1 seconds";
    for (std::int16_t s : wav.samples) ASSERT_EQ(s, 8191);
}

TEST_F(WaveExport, PreRollPlacesTheClockSoRecordingStartsAtTick7680) {
    ASSERT_EQ(run(bars(1, 1)), Result::Completed);
    ASSERT_GT(probe->positions.size(), 512u);
    EXPECT_NEAR(probe->positions[0], 7680.0 - 131072.0 / 918.75, 1e-9);
    EXPECT_NEAR(probe->positions[512], 7680.0, 1e-6) << "the first recorded block";
    EXPECT_EQ(probe->frame, 2 * kChunk);
}

TEST_F(WaveExport, PreRollOfExactlyOneChunkRunsTwo) {
    // Half a frame more than a chunk, so the truncation lands on exactly 131072.
    ASSERT_EQ(run(seconds(131072.5 / 44100.0, 0.1)), Result::Completed);
    EXPECT_EQ(probe->frame, 3 * kChunk);
    EXPECT_NEAR(probe->positions[0], 7680.0 - 262144.0 / 918.75, 1e-9);
}

TEST_F(WaveExport, LongRecordingWritesWholeChunksThenTheRest) {
    const double record = (2.0 * kChunk + 1000.0) / 44100.0 + 0.5 / 44100.0;
    ASSERT_EQ(run(seconds(0, record)), Result::Completed);
    EXPECT_EQ(written, 2 * kChunk + 1000);
    auto wav = readWav(file);
    EXPECT_EQ(wav.dataSize, (2 * kChunk + 1000) * 4);
    EXPECT_EQ(wav.samples.back(), floatToSample16(ClockProbe::right(2 * kChunk + 999)));
    EXPECT_FLOAT_EQ(progress.progress(), 1.0f);
}

TEST_F(WaveExport, CancelledExportsLeaveNoFile) {
    struct Case {
        const char* name;
        VTExportSettings settings;
        int cancelAtEvent;  // 1 is the one right after the window shows
        bool reachedRecording;
    } cases[] = {
        {"before the first pre-roll chunk", bars(2, 1), 1, false},
        {"during the pre-roll", bars(2, 1), 2, false},
        {"during recording", seconds(0, 8.0), 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        progress = RecordingProgress();
        progress.cancelWhen = [&](int event) { return event >= c.cancelAtEvent; };
        EXPECT_EQ(run(c.settings), Result::Cancelled);
        EXPECT_FALSE(fs::exists(file));
        EXPECT_EQ(written, 0u);
        if (c.reachedRecording) {
            EXPECT_EQ(progress.lines.back(), "Cancelling...|");
            EXPECT_FLOAT_EQ(progress.progress(), 1.0f);
        } else {
            EXPECT_EQ(progress.lines, std::vector<std::string>{"Pre-rolling...|"});
        }
        EXPECT_EQ(progress.ends, 1);
    }
}

TEST_F(WaveExport, ClockEndsAsItWas) {
    struct Case {
        bool running;
        double position;
        bool runningAfter;
        double positionAfter;
    } cases[] = {
        {true, 100.7, true, 100.0},
        {true, 0.0, true, 0.0},
        {false, 55.5, false, 0.0},
        {false, 0.0, false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.running << " at " << c.position);
        c.running ? context.startClock() : context.stopClock();
        context.setClockPosition(c.position);
        ASSERT_EQ(run(bars(1, 1)), Result::Completed);
        EXPECT_EQ(context.isClockRunning(), c.runningAfter);
        EXPECT_DOUBLE_EQ(context.clockPosition(), c.positionAfter);
    }
}

TEST_F(WaveExport, RefusesWhenTheDiskIsTooFull) {
    context.setClockPosition(33.0);
    int asked = 0;
    std::string askedFor;
    auto space = [&](std::uint64_t bytes) {
        return [&, bytes](const std::string& f) -> std::optional<std::uint64_t> {
            ++asked;
            askedFor = f;
            return bytes;
        };
    };
    EXPECT_EQ(run(bars(0, 1), space(352800 + 2047)), Result::NotEnoughDiskSpace);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedFor, file);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(progress.captions.empty()) << "nothing shown, nothing run";
    EXPECT_EQ(probe->resets, 0);
    EXPECT_DOUBLE_EQ(context.clockPosition(), 33.0);
    ASSERT_EQ(messages.messages.size(), 1u);
    const auto& m = messages.messages[0];
    EXPECT_EQ(m.caption, "Not enough disk space");
    EXPECT_EQ(m.text,
              "There is not enough space on the specified drive to export\rthe file. Reduce the "
              "export duration or select another drive.");
    EXPECT_EQ(m.icon, VTMessageIcon::Stop);
    EXPECT_EQ(m.buttons, VTMessageButtons::Ok);

    EXPECT_EQ(run(bars(0, 1), space(352800 + 2048)), Result::Completed) << "exactly enough";
    fs::remove(file);
    EXPECT_EQ(run(bars(0, 1), [](const std::string&) { return std::optional<std::uint64_t>(); }),
              Result::Completed)
        << "unknown free space";
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(DiskSpace, KnowsTheFreeSpaceOfAFolderForANewFile) {
    AudioTestFiles::ScratchDir dir;
    auto free = vtFreeSpaceForFile(dir.path("not-yet.wav"));
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0u);
    EXPECT_FALSE(vtFreeSpaceForFile("/no/such/folder/x.wav").has_value());
}

TEST_F(WaveExport, FileThatCannotBeCreatedIsReportedAndTheClockRestored) {
    file = dir.path("missing-folder/export.wav");
    context.startClock();
    context.setClockPosition(12.25);
    EXPECT_EQ(run(bars(1, 1)), Result::CannotCreateFile);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "An error occurred while saving the file.\n");
    EXPECT_EQ(messages.messages[0].caption, "Vantrel");
    EXPECT_EQ(messages.messages[0].buttons, VTMessageButtons::Ok);
    EXPECT_TRUE(context.isClockRunning());
    EXPECT_DOUBLE_EQ(context.clockPosition(), 12.0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(progress.ends, 1);
}

TEST_F(WaveExport, FileTheDiskRefusesHalfwayIsRemovedAndReported) {
    // The kernel refuses writes past this size, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 600000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Result r = run(seconds(0, 8.0));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(r, Result::WriteFailed);
    EXPECT_FALSE(fs::exists(file));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "An error occurred while saving the file.\n");
}

TEST_F(WaveExport, ExportLongerThanAWaveFileIsRefused) {
    context.setSamplesPerTick(sgSamplesPerTickFromTempo(1.0));
    EXPECT_EQ(run(bars(0, 10000)), Result::TooLong);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(probe->resets, 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Vantrel");
}

TEST_F(WaveExport, NothingToExportWithoutTheMainOutput) {
    pool.releaseOutput(0);
    EXPECT_EQ(run(bars(0, 1)), Result::NoSoundOut);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(progress.captions.empty());
}

TEST_F(WaveExport, AuxiliaryInputsAreSilentOffLine) {
    auto* aux = static_cast<VTAuxIn*>(pool.acquireInput(3));
    aux->setContext(&context);
    context.disconnect(probe, 0, out, 0);
    context.disconnect(probe, 1, out, 1);
    context.connect(aux, 0, out, 0);
    context.connect(aux, 1, out, 1);
    aux->outletSignal(0).fill(0.5f);  // what a device left there
    aux->outletSignal(1).fill(0.5f);
    ASSERT_EQ(run(seconds(0, 0.1)), Result::Completed);
    for (std::int16_t s : readWav(file).samples) ASSERT_EQ(s, 0);
}

TEST_F(WaveExport, RenderingAChunkAllocatesNothing) {
    auto* in = static_cast<VTSoundIn*>(pool.acquireInput(0));
    in->setContext(&context);
    auto* aux = pool.acquireInput(1);
    aux->setContext(&context);
    auto* mix = new vantrel::test::Through(1, 2);
    mix->setContext(&context);
    context.connect(aux, 0, mix, 0);
    context.connect(in, 0, out, 0);  // two sources on one inlet: a summing block
    context.connect(mix, 1, out, 1);
    context.startClock();
    VTExportRenderer renderer(context, pool);
    renderer.renderChunk();
    EXPECT_NO_AUDIO_ALLOCATION(renderer.renderChunk());
}

// The sound input plays a file whose every frame differs; the export rewinds it.
class SoundInFileExport : public WaveExport {
protected:
    SoundInFileExport() {
        AudioTestFiles::writeWav(input, 44100, 2, 16, AudioTestFiles::patternSamples(88200, 2));
        in = static_cast<VTSoundIn*>(pool.acquireInput(0));
        in->setContext(&context);
        context.disconnect(probe, 0, out, 0);
        context.disconnect(probe, 1, out, 1);
        context.connect(in, 0, out, 0);
        context.connect(in, 1, out, 1);
        in->useADC.setValue(false);
        in->inputFile.setValue(input.c_str());
        in->openInputFile();
    }
    std::string input = dir.path("input.wav");
    VTSoundIn* in = nullptr;
};

TEST_F(SoundInFileExport, FileIsRewoundAndPlaysFromTheFirstRecordedFrame) {
    ASSERT_TRUE(in->fileIsGood.value());
    ASSERT_TRUE(VTWaveExport::soundInFileAvailable(pool));
    EXPECT_EQ(VTWaveExport::soundInDurationText(pool), "SoundIn file duration is 2.00 seconds");
    // Played for a while live, then paused part way in.
    in->active.setValue(true);
    for (int b = 0; b < 100; ++b) {
        float l, r;
        in->blockInputStep(nullptr, 0, 2, l, r);
        context.processBlock();
    }
    in->active.setValue(false);
    const double location = in->location.value();
    ASSERT_GT(location, 0.0);

    ASSERT_EQ(run(seconds(0.5, 1.0, VTExportMode::SoundInFile)), Result::Completed);
    auto wav = readWav(file);
    ASSERT_EQ(wav.samples.size(), 2u * 44100u);
    // Through the graph as floats and back, the way the device output would hear it.
    auto heard = [](std::uint32_t f, std::uint32_t c) {
        return floatToSample16(
            VTSampleConversion::sample16ToFloat(AudioTestFiles::patternSample(f, c)));
    };
    for (std::uint32_t f = 0; f < 44100; ++f) {
        ASSERT_EQ(wav.samples[2 * f], heard(f, 0)) << f;
        ASSERT_EQ(wav.samples[2 * f + 1], heard(f, 1)) << f;
    }
    EXPECT_DOUBLE_EQ(in->location.value(), location);
    EXPECT_FALSE(in->active.value());
}

TEST_F(SoundInFileExport, ActiveInputIsActiveAgainAfterwards) {
    in->active.setValue(true);
    ASSERT_EQ(run(seconds(0, 0.5, VTExportMode::SoundInFile)), Result::Completed);
    EXPECT_TRUE(in->active.value());
    EXPECT_DOUBLE_EQ(in->location.value(), 0.0);
}

TEST_F(SoundInFileExport, FileModeIsOfferedOnlyForAGoodFileInTheGraph) {
    in->useADC.setValue(true);
    EXPECT_FALSE(VTWaveExport::soundInFileAvailable(pool)) << "takes the device";
    EXPECT_EQ(VTWaveExport::soundInDurationText(pool), "");
    in->useADC.setValue(false);
    context.disconnect(in, 0, out, 0);
    context.disconnect(in, 1, out, 1);
    EXPECT_FALSE(VTWaveExport::soundInFileAvailable(pool)) << "not in the update list";
    pool.releaseInput(0);
    EXPECT_FALSE(VTWaveExport::soundInFileAvailable(pool)) << "no sound input";
}

}  // namespace
