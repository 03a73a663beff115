#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "wave/VTWaveOutFile.h"

class VTIOContraptionPool;

// The patch's main stereo output, and its recorder: what the two inlets receive can be recorded
// into a 44100 Hz stereo 16-bit WAV file (appended or overwriting, started and stopped by hand,
// by the sound input's file playback, or after a set time) and played back in place of the
// inlets. Disk writes and reads happen on the audio thread, a staging buffer at a time.
class VTSoundOut : public SGSignalProcessor {
public:
    enum Action { kStop = 0, kPlayBack = 1, kRecord = 2 };
    enum FileMode { kAppend = 0, kOverwrite = 1 };
    enum PunchMode { kManual = 0, kSoundInSync = 1, kTimed = 2 };
    enum RecorderState { kNoFile = -1, kIdle = 0, kRecording = 1, kWaiting = 2, kPlaying = 3 };

    static constexpr std::uint32_t kStagingFrames = 16384;
    static constexpr std::uint32_t kFileRate = 44100;

    // The pool tells whether the sound input's file is playing ("SoundIn Sync"); without one it
    // never is.
    explicit VTSoundOut(const VTIOContraptionPool* pool = nullptr);
    ~VTSoundOut() override;

    SGPropertyTable& propertyTable() override;
    // A document or clipboard entry that sets "OutputFile" opens the file it names.
    void readProperties(std::istream& in) override;
    void process() override;

    // Opens the file "OutputFile" names, for recording and playing back. Runs on the user-
    // interface thread under the signal context's lock.
    void openOutputFile();

    // What the output sends after a block: the played-back file when the block played it back
    // (the last block of the file included, though the recorder is idle again after it), the
    // inlets otherwise.
    const SGSignal& sentSignal(int channel) const;

    // Back to a new output's state: every property at its default, the file closed with its
    // header complete.
    void restoreDefaults();

    SGCStringProperty outputFile;
    SGIntProperty action{kStop};
    SGIntProperty fileMode{kAppend};
    SGIntProperty punchMode{kManual};
    SGIntProperty recordDuration{300};

    // Internal: the editor shows them, documents never store them.
    SGIntProperty recorderState{kNoFile};
    SGDoubleProperty playPosition{0.0};
    SGDoubleProperty fileDuration{0.0};

    const VTWaveOutFile* writer() const { return writer_.get(); }

private:
    bool soundInPlaying() const;
    void startAction(int requested, bool soundInIsPlaying);
    void startPlayback();
    void startRecording(bool soundInIsPlaying);
    bool recordBlock(bool soundInIsPlaying);
    bool playBackBlock();
    void writeStaged();
    void stop();
    void closeWriter();
    void updateTimes();

    SGStaticPropertyTable table_;
    const VTIOContraptionPool* pool_;
    std::unique_ptr<VTWaveOutFile> writer_;
    std::vector<std::int16_t> staging_;
    std::uint32_t stagedSamples_ = 0;  // recording: samples staged; playing: samples played
    std::uint32_t heldFrames_ = 0;     // playing: frames the staging buffer holds from the file
    std::uint64_t takeFrames_ = 0;     // frames recorded in the present take
    bool sendingPlayback_ = false;
    SGSignal playLeft_{0.0f};
    SGSignal playRight_{0.0f};
};
