#pragma once

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/KDWaveProcessor.h"

namespace vantrel::test {

// Plays a sine on channels 0 and 1 of output slot 0, phase-continuous across buffers.
class ToneProcessor : public KDWaveProcessor {
public:
    ToneProcessor(double frequency, double amplitude)
        : step_(frequency / 44100.0), amplitude_(amplitude) {}
    void OnProcess(KDWaveStream&, const std::int16_t* const*, std::uint32_t, int frames,
                   std::int16_t* const* outputs) override;

private:
    double step_;
    double amplitude_;
    double phase_ = 0.0;
};

// What a recording of the tone shows.
struct ToneReport {
    double seconds = 0;    // length of the part examined
    double frequency = 0;  // from the upward zero crossings
    double rms = 0;
    double quietestPeak = 0;  // smallest peak over any 10 ms window (a dropout shows here)
    double largestStep = 0;   // largest sample-to-sample change (a jump shows here)
    std::string describe() const;
};

// Examines `seconds` of the recording, starting `settle` seconds after the tone first appears.
// False (with the reason in report) when the recording holds less than that.
bool CheckTone(const std::vector<float>& samples, double settle, double seconds, ToneReport& report,
               std::string& why);

// A 1 kHz tone of the given amplitude with no dropout and no jump.
inline bool IsCleanTone(const ToneReport& r, double amplitude) {
    return r.frequency > 998.0 && r.frequency < 1002.0 && r.quietestPeak > 0.9 * amplitude &&
           r.largestStep < 0.08;
}

// How often an end-to-end tone run is tried before a dropout counts as the stream's.
inline constexpr int kToneAttempts = 3;

// The outcome of an end-to-end tone run.
struct ToneRun {
    ToneReport report;
    bool complete = false;
    bool streamOverloaded = false;
    std::string why;
};

// Plays the tone until a run comes out clean, at most kToneAttempts times. `recordOnce` starts
// the stream, records, notes whether the stream overloaded, stops it and gives the recorded
// left channel. A machine too busy to feed the server in time drops out through no fault of
// the stream; such a run is tried again, a stream that drops out every time is not.
ToneRun PlayToneUntilClean(const std::function<std::vector<float>(ToneRun&)>& recordOnce);

// What a clean 1 kHz tone at amplitude 0.5 must show.
void ExpectClean1kHzTone(const ToneRun& run);

// Plays the tone through output device 1, lets `endServer` take the sound server away while it
// plays, and expects the stop to report an output error holding `expectedText` within `limit`
// and to leave the stream stopped.
void ExpectServerLossReportedOnStop(KDWaveStream& stream, const std::function<void()>& endServer,
                                    const std::string& expectedText, std::chrono::seconds limit);

}  // namespace vantrel::test
