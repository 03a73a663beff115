#include "ToneCheck.h"

#include <algorithm>
#include <numbers>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "audio/EWaveError.h"
#include "audio/KDWaveStream.h"

namespace vantrel::test {

void ToneProcessor::OnProcess(KDWaveStream&, const std::int16_t* const*, std::uint32_t, int frames,
                              std::int16_t* const* outputs) {
    std::int16_t* out = outputs[0];
    if (!out) return;
    for (int f = 0; f < frames; ++f) {
        auto v = static_cast<std::int16_t>(amplitude_ * 32767.0 *
                                           std::sin(2.0 * std::numbers::pi * phase_));
        out[2 * f] = v;
        out[2 * f + 1] = v;
        phase_ += step_;
        if (phase_ >= 1.0) phase_ -= 1.0;
    }
}

std::string ToneReport::describe() const {
    std::ostringstream text;
    text << seconds << " s examined: " << frequency << " Hz, rms " << rms
         << ", quietest 10 ms peak " << quietestPeak << ", largest step " << largestStep;
    return text.str();
}

bool CheckTone(const std::vector<float>& samples, double settle, double seconds, ToneReport& report,
               std::string& why) {
    auto onset =
        std::find_if(samples.begin(), samples.end(), [](float v) { return std::abs(v) > 0.05f; });
    if (onset == samples.end()) {
        why = "the recording holds no tone at all (" + std::to_string(samples.size()) + " frames)";
        return false;
    }
    const std::size_t begin = (onset - samples.begin()) + static_cast<std::size_t>(settle * 44100);
    const std::size_t length = static_cast<std::size_t>(seconds * 44100);
    if (begin + length > samples.size()) {
        why = "the recording (" + std::to_string(samples.size()) + " frames, tone from frame " +
              std::to_string(onset - samples.begin()) + ") is too short: " +
              std::to_string((samples.size() - std::min(samples.size(), begin)) / 44100.0) +
              " s after the tone settled";
        return false;
    }
    const float* x = samples.data() + begin;
    report.seconds = seconds;
    double sum = 0;
    double firstCrossing = -1, lastCrossing = -1;
    long crossings = 0;
    report.quietestPeak = 1e9;
    report.largestStep = 0;
    float windowPeak = 0;
    for (std::size_t i = 0; i < length; ++i) {
        sum += double{x[i]} * x[i];
        windowPeak = std::max(windowPeak, std::abs(x[i]));
        if ((i + 1) % 441 == 0) {
            report.quietestPeak = std::min(report.quietestPeak, double{windowPeak});
            windowPeak = 0;
        }
        if (i == 0) continue;
        report.largestStep = std::max(report.largestStep, double{std::abs(x[i] - x[i - 1])});
        if (x[i - 1] < 0 && x[i] >= 0) {
            double t = (i - 1) + x[i - 1] / double{x[i - 1] - x[i]};
            if (firstCrossing < 0) {
                firstCrossing = t;
            } else {
                ++crossings;
            }
            lastCrossing = t;
        }
    }
    report.rms = std::sqrt(sum / length);
    report.frequency = crossings > 0 ? crossings * 44100.0 / (lastCrossing - firstCrossing) : 0.0;
    return true;
}

ToneRun PlayToneUntilClean(const std::function<std::vector<float>(ToneRun&)>& recordOnce) {
    ToneRun run;
    for (int attempt = 0; attempt < kToneAttempts; ++attempt) {
        const std::vector<float> recorded = recordOnce(run);
        run.complete = CheckTone(recorded, 0.3, 2.0, run.report, run.why);
        if (run.complete && IsCleanTone(run.report, 0.5)) break;
    }
    return run;
}

void ExpectClean1kHzTone(const ToneRun& run) {
    ASSERT_TRUE(run.complete) << run.why;
    SCOPED_TRACE(run.report.describe() + (run.streamOverloaded ? " (the stream underran)" : ""));
    EXPECT_NEAR(run.report.frequency, 1000.0, 2.0);
    EXPECT_NEAR(run.report.rms, 0.5 / std::numbers::sqrt2, 0.01);
    EXPECT_GT(run.report.quietestPeak, 0.45);
    // One sample step of a 1 kHz sine at 0.5 is at most 0.0712.
    EXPECT_LT(run.report.largestStep, 0.08);
}

void ExpectServerLossReportedOnStop(KDWaveStream& stream, const std::function<void()>& endServer,
                                    const std::string& expectedText, std::chrono::seconds limit) {
    ToneProcessor tone(1000.0, 0.5);
    stream.SetOnProcess(&tone);
    stream.SetOutputDevices(0, 1);
    stream.SetOutputBufferSize(4096);
    stream.StartStream();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    endServer();
    const auto began = std::chrono::steady_clock::now();
    try {
        stream.StopStream();
        ADD_FAILURE() << "StopStream reported nothing";
    } catch (const EWaveOutError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(expectedText));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - began, limit);
    EXPECT_FALSE(stream.Running());
    stream.SetOnProcess(nullptr);
}

}  // namespace vantrel::test
