#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "signal/SGDynSigContext.h"
#include "support/TestProcessors.h"
#include "wave/VTWaveOutFile.h"

// A signal context whose transport clock the test drives, with one processor of type P wired
// into a sink so that processBlock runs it and then advances the clock.
template <typename P>
struct ClockedGraph {
    SGDynSigContext context;
    P* processor = new P;
    vantrel::test::Sink* sink = new vantrel::test::Sink(1);

    ClockedGraph() {
        processor->setContext(&context);
        sink->setContext(&context);
        context.connect(processor, 0, sink, 0);
    }

    const float* out() const { return processor->outletSignal(0).samples(); }

    // Places the clock and starts it.
    void start(double position, double samplesPerTick) {
        context.setSamplesPerTick(samplesPerTick);
        context.setClockPosition(position);
        context.startClock();
    }

    // Runs blocks and appends every output sample.
    void run(int blocks, std::vector<float>& samples) {
        for (int b = 0; b < blocks; ++b) {
            context.processBlock();
            samples.insert(samples.end(), out(), out() + SGBlockSize);
        }
    }
};

// A scratch folder for the sound files a test writes, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("vantrel-library-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    // Writes a 16-bit PCM wave file of interleaved samples.
    std::string wave(const std::string& name, const std::vector<std::int16_t>& interleaved,
                     std::uint32_t rate = 44100, std::uint16_t channels = 1) const {
        const std::string file = path(name);
        VTWaveOutFile writer(file, rate, channels, true);
        EXPECT_TRUE(writer.isOpen()) << file;
        EXPECT_EQ(writer.writeFrames(interleaved.data(),
                                     static_cast<std::uint32_t>(interleaved.size() / channels)),
                  interleaved.size() / channels);
        return file;
    }

    // A mono file holding one value throughout.
    std::string constantWave(const std::string& name, std::int16_t value, std::uint32_t frames,
                             std::uint32_t rate = 44100) const {
        return wave(name, std::vector<std::int16_t>(frames, value), rate, 1);
    }

private:
    std::filesystem::path dir_;
};
