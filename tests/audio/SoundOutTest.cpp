#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "AudioTestFiles.h"
#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "audio/VTSoundOut.h"
#include "signal/SGDynSigContext.h"
#include "support/AudioThreadGuard.h"
#include "wave/VTSampleConversion.h"

namespace {

using AudioTestFiles::readBytes;
using AudioTestFiles::readWav;
using AudioTestFiles::writeWav;
using VTSampleConversion::floatToSample16;

// A stereo source whose every frame differs from its neighbours: left runs up a ramp, right is
// its negative half.
class RampSource : public SGSignalProcessor {
public:
    RampSource() : SGSignalProcessor(0, 2) {}
    static float left(std::uint64_t frame) { return (float(frame % 1000) - 500.0f) / 600.0f; }
    static float right(std::uint64_t frame) { return -0.5f * left(frame); }
    void process() override {
        for (std::uint32_t i = 0; i < SGBlockSize; ++i, ++frame) {
            outletSignal(0)[i] = left(frame);
            outletSignal(1)[i] = right(frame);
        }
    }
    std::uint64_t frame = 0;
};

class Recorder : public ::testing::Test {
protected:
    Recorder() {
        out = static_cast<VTSoundOut*>(pool.acquireOutput(0));
        out->setContext(&context);
        source = new RampSource;  // owned by the context
        source->setContext(&context);
        context.connect(source, 0, out, 0);
        context.connect(source, 1, out, 1);
    }

    void choose(const std::string& file) {
        out->outputFile.setValue(file.c_str());
        out->openOutputFile();
    }
    void run(int blocks) {
        for (int b = 0; b < blocks; ++b) context.processBlock();
    }
    // Runs until the recorder is idle again; gives the blocks run.
    int runUntilIdle(int limit) {
        for (int b = 1; b <= limit; ++b) {
            context.processBlock();
            if (out->recorderState.value() == VTSoundOut::kIdle) return b;
        }
        return -1;
    }
    std::vector<std::int16_t> expectedRamp(std::uint64_t from, std::uint64_t frames) {
        std::vector<std::int16_t> s;
        for (std::uint64_t f = from; f < from + frames; ++f) {
            s.push_back(floatToSample16(RampSource::left(f)));
            s.push_back(floatToSample16(RampSource::right(f)));
        }
        return s;
    }

    AudioTestFiles::ScratchDir dir;
    SGDynSigContext context;
    VTIOContraptionPool pool;
    VTSoundOut* out = nullptr;
    RampSource* source = nullptr;
};

TEST_F(Recorder, ANewFileIsCreatedAndUsable) {
    std::string file = dir.path("take.wav");
    choose(file);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
    EXPECT_EQ(out->fileDuration.value(), 0.0);
    AudioTestFiles::WavContents w = readWav(file);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.rate, 44100u);
    EXPECT_EQ(w.dataSize, 0u);
}

TEST_F(Recorder, AFileOfAnotherFormatIsRefusedAndLeftAsItIs) {
    struct Case {
        const char* name;
        std::uint32_t rate;
        std::uint16_t channels;
    } cases[] = {{"mono.wav", 44100, 1}, {"48k.wav", 48000, 2}, {"22k.wav", 22050, 2}};
    for (const Case& c : cases) {
        std::string file = dir.path(c.name);
        writeWav(file, c.rate, c.channels, 16, AudioTestFiles::patternSamples(1000, c.channels));
        auto before = readBytes(file);
        choose(dir.path("good.wav"));
        ASSERT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
        choose(file);
        EXPECT_EQ(out->recorderState.value(), VTSoundOut::kNoFile) << c.name;
        EXPECT_EQ(out->writer(), nullptr);
        // A record request does nothing without a file.
        out->action.setValue(VTSoundOut::kRecord);
        run(3);
        EXPECT_EQ(out->recorderState.value(), VTSoundOut::kNoFile);
        EXPECT_EQ(readBytes(file), before) << c.name;
    }
    choose("");
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kNoFile);
}

TEST_F(Recorder, AManualTakeGrowsTheFileByWholeBlocksAndIsCompleteWhenItStops) {
    std::string file = dir.path("manual.wav");
    choose(file);
    out->action.setValue(VTSoundOut::kRecord);
    run(1);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kRecording);
    std::uint64_t firstFrame = source->frame - SGBlockSize;
    run(99);  // 100 blocks: 25600 frames, one staging buffer written on the way
    out->action.setValue(VTSoundOut::kStop);
    run(1);  // the stop block itself records nothing
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
    EXPECT_EQ(out->action.value(), VTSoundOut::kStop);
    EXPECT_FALSE(out->action.isChanged()) << "the recorder's own reset is not a request";

    // On disk at once, before the file is closed.
    AudioTestFiles::WavContents w = readWav(file);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.dataSize, 100u * 256 * 4);
    EXPECT_EQ(w.riffSize, w.fileSize - 8);
    EXPECT_EQ(w.samples, expectedRamp(firstFrame, 25600));
    EXPECT_NEAR(out->fileDuration.value(), 25600 / 44.1, 1e-9);
    EXPECT_EQ(out->playPosition.value(), out->fileDuration.value());
}

TEST_F(Recorder, AppendAddsToTheRecordingAndOverwriteReplacesIt) {
    const int oneSecond = 173;  // blocks: 44288 frames
    struct Case {
        int mode;
        std::uint32_t frames;
    } cases[] = {{VTSoundOut::kAppend, 2 * oneSecond * 256},
                 {VTSoundOut::kOverwrite, oneSecond * 256}};
    for (const Case& c : cases) {
        std::string file = dir.path("mode" + std::to_string(c.mode) + ".wav");
        choose(file);
        out->action.setValue(VTSoundOut::kRecord);
        run(oneSecond);
        out->action.setValue(VTSoundOut::kStop);
        run(1);
        // The document is reopened later: the file keeps its first take.
        choose(file);
        EXPECT_NEAR(out->fileDuration.value(), oneSecond * 256 / 44.1, 1e-9);
        out->fileMode.setValue(c.mode);
        out->action.setValue(VTSoundOut::kRecord);
        std::uint64_t secondStart = source->frame;
        run(oneSecond);
        out->action.setValue(VTSoundOut::kStop);
        run(1);
        AudioTestFiles::WavContents w = readWav(file);
        EXPECT_EQ(w.dataSize / 4, c.frames) << c.mode;
        auto tail =
            std::vector<std::int16_t>(w.samples.end() - 2 * oneSecond * 256, w.samples.end());
        EXPECT_EQ(tail, expectedRamp(secondStart, oneSecond * 256)) << c.mode;
    }
}

TEST_F(Recorder, ATimedTakeStopsAfterTheBlockThatReachesItsDuration) {
    std::string file = dir.path("timed.wav");
    choose(file);
    out->punchMode.setValue(VTSoundOut::kTimed);
    out->recordDuration.setValue(2);
    out->action.setValue(VTSoundOut::kRecord);
    EXPECT_EQ(runUntilIdle(1000), 345) << "88200 frames are reached in block 345";
    AudioTestFiles::WavContents w = readWav(file);
    EXPECT_EQ(w.dataSize / 4, 88320u);
    EXPECT_EQ(out->action.value(), VTSoundOut::kStop);
}

TEST_F(Recorder, PlayingBackSendsTheFileInsteadOfTheInletsUntilItsEnd) {
    // 1.5 s of a known pattern.
    std::string file = dir.path("back.wav");
    const std::uint32_t n = 66150;
    writeWav(file, 44100, 2, 16, AudioTestFiles::patternSamples(n, 2));
    choose(file);
    ASSERT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
    EXPECT_DOUBLE_EQ(out->fileDuration.value(), 1500.0);
    out->action.setValue(VTSoundOut::kPlayBack);
    std::vector<float> heardLeft, heardRight;
    int blocks = 0;
    do {
        context.processBlock();
        ++blocks;
        auto sent = pool.outputSignals(0);
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            heardLeft.push_back((*sent.left)[i]);
            heardRight.push_back((*sent.right)[i]);
        }
        if (blocks == 10) {
            EXPECT_EQ(out->recorderState.value(), VTSoundOut::kPlaying);
        }
    } while (out->recorderState.value() != VTSoundOut::kIdle && blocks < 400);
    EXPECT_EQ(blocks, 259) << "66150 frames and silence up to the end of the block";
    for (std::uint32_t f = 0; f < n; ++f) {
        ASSERT_EQ(heardLeft[f], AudioTestFiles::patternSample(f, 0) / 32768.0f) << f;
        ASSERT_EQ(heardRight[f], AudioTestFiles::patternSample(f, 1) / 32768.0f) << f;
    }
    for (std::size_t f = n; f < heardLeft.size(); ++f) ASSERT_EQ(heardLeft[f], 0.0f) << f;
    // Idle again: from the next block on the output sends its inlets.
    context.processBlock();
    auto sent = pool.outputSignals(0);
    EXPECT_EQ(sent.left, &out->inletSignal(0));
    EXPECT_EQ(AudioTestFiles::readWav(file).dataSize, n * 4) << "playing back changes nothing";
}

TEST_F(Recorder, ASyncedTakeFollowsTheSoundInputsFilePlayback) {
    // The sound input plays a 1-second mono file into the output, as the engine drives them.
    std::string source1 = dir.path("source.wav");
    writeWav(source1, 44100, 1, 16, AudioTestFiles::patternSamples(44100, 1));
    auto* in = static_cast<VTSoundIn*>(pool.acquireInput(0));
    in->setContext(&context);
    context.disconnect(source, 0, out, 0);
    context.disconnect(source, 1, out, 1);
    context.connect(in, 0, out, 0);
    context.connect(in, 1, out, 1);
    in->useADC.setValue(false);
    in->inputFile.setValue(source1.c_str());
    in->openInputFile();
    ASSERT_TRUE(in->fileIsGood.value());
    auto engineBlock = [&] {
        float pl, pr;
        in->blockInputStep(nullptr, 0, 2, pl, pr);
        context.processBlock();
    };

    std::string file = dir.path("synced.wav");
    choose(file);
    out->punchMode.setValue(VTSoundOut::kSoundInSync);
    out->action.setValue(VTSoundOut::kRecord);
    for (int b = 0; b < 20; ++b) engineBlock();
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kWaiting);
    EXPECT_EQ(readWav(file).dataSize, 0u);

    in->active.setValue(true);
    int blocks = 0;
    while (out->recorderState.value() != VTSoundOut::kIdle && blocks < 400) {
        engineBlock();
        ++blocks;
    }
    // From the block in which the file starts to the one in which it stops: 173 blocks.
    EXPECT_EQ(blocks, 173);
    AudioTestFiles::WavContents w = readWav(file);
    ASSERT_EQ(w.dataSize / 4, 173u * 256);
    for (std::uint32_t f = 0; f < 44100; ++f) {
        std::int16_t s = floatToSample16(AudioTestFiles::patternSample(f, 0) / 32768.0f);
        ASSERT_EQ(w.samples[2 * f], s) << f;
        ASSERT_EQ(w.samples[2 * f + 1], s) << f;
    }
    EXPECT_EQ(w.samples[2 * 44100], 0);
    pool.releaseInput(0);
}

TEST_F(Recorder, ReleasingTheSlotMidTakeKeepsEveryRecordedFrame) {
    std::string file = dir.path("released.wav");
    choose(file);
    out->action.setValue(VTSoundOut::kRecord);
    run(70);  // one staging buffer written, 6 blocks staged
    pool.releaseOutput(0);
    AudioTestFiles::WavContents w = readWav(file);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.dataSize / 4, 70u * 256) << "the header is complete and nothing staged is lost";
    EXPECT_EQ(w.riffSize, w.fileSize - 8);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kNoFile);
}

TEST_F(Recorder, PlayBackAskedForWhileRecordingWritesTheTakeOutFirst) {
    std::string file = dir.path("switch.wav");
    choose(file);
    out->action.setValue(VTSoundOut::kRecord);
    run(10);
    out->action.setValue(VTSoundOut::kPlayBack);
    run(1);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kPlaying);
    EXPECT_EQ(out->writer()->length(), 10u * 256);
    EXPECT_EQ(runUntilIdle(100), 9) << "the ten blocks just recorded play back";
    EXPECT_EQ(readWav(file).dataSize, 10u * 256 * 4) << "the header was completed";
}

TEST_F(Recorder, ADocumentEntryOpensItsFileIdle) {
    std::string file = dir.path("doc.wav");
    std::istringstream entry("{ \"" + file + "\", 2, 1, 2, 60 }");
    out->readProperties(entry);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
    EXPECT_EQ(out->fileMode.value(), 1);
    EXPECT_EQ(out->recordDuration.value(), 60);
    run(5);
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kIdle)
        << "a record request stored with the document does not start a take by itself";
}

TEST_F(Recorder, RecordingAndPlayingBackAllocateNothing) {
    std::string file = dir.path("alloc.wav");
    choose(file);
    out->fileMode.setValue(VTSoundOut::kAppend);
    out->action.setValue(VTSoundOut::kRecord);
    // Past two staging buffers, then the stop that writes the rest and the header.
    EXPECT_NO_AUDIO_ALLOCATION(run(150));
    out->action.setValue(VTSoundOut::kStop);
    EXPECT_NO_AUDIO_ALLOCATION(run(1));
    out->action.setValue(VTSoundOut::kPlayBack);
    EXPECT_NO_AUDIO_ALLOCATION(run(160));
    EXPECT_EQ(out->recorderState.value(), VTSoundOut::kIdle);
}

}  // namespace
