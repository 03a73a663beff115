#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "params/SGBoolProperty.h"
#include "params/SGCStringProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGSignalProcessor.h"
#include "params/SGStaticPropertyTable.h"
#include "wave/VTRiffFile.h"
#include "wave/WaveFileInfo.h"

// The patch's main stereo input: the device's input pair, or a 16-bit WAV file played in its
// place. It computes nothing in the graph's own pass; the engine calls blockInputStep before
// each block, which fills the two outlets (left, right).
//
// The file is streamed through two half-buffers of kHalfBufferSamples samples each. While one
// plays, the other holds the next stretch of the file; the finished one is refilled from disk
// on the audio thread, the one place where the audio path reads a file. "Location" therefore
// runs up to one half-buffer ahead of what is heard.
class VTSoundIn : public SGSignalProcessor {
public:
    // Samples, not frames: one second of a mono file, half a second of a stereo one.
    static constexpr std::uint32_t kHalfBufferSamples = 44100;

    VTSoundIn();

    SGPropertyTable& propertyTable() override;
    // A document or clipboard entry that sets "InputFile" opens the file it names.
    void readProperties(std::istream& in) override;
    void process() override {}

    // Fills the outlets for one block and gives the block's peak per channel. In device mode
    // `data` holds 16-bit interleaved device frames of `stride` samples with this input's pair at
    // `channelOffset`; no data gives silence. In file mode the device data is ignored.
    void blockInputStep(const std::int16_t* data, int channelOffset, int stride, float& peakLeft,
                        float& peakRight);

    // Opens the file "InputFile" names (a full path, used unchanged). Runs on the user-interface
    // thread under the signal context's lock; never on the audio thread.
    void openInputFile();

    // Whether the file is playing now: file mode, a good file and "Active".
    bool isFilePlaying() const { return !useADC.value() && fileIsGood.value() && active.value(); }

    // Back to a new input's state: every property at its default and no file open.
    void restoreDefaults();

    SGBoolProperty useADC{true};
    SGCStringProperty inputFile;
    SGBoolProperty fileIsGood{false};
    SGBoolProperty active{false};
    SGBoolProperty loop{false};
    SGDoubleProperty loopDelay{0.0};
    SGBoolProperty autoRewind{false};
    SGDoubleProperty location{0.0};
    SGDoubleProperty duration{0.0};

    // Playback state, visible to tests.
    const WaveFileInfo& fileInfo() const { return info_; }
    std::uint32_t framePosition() const { return position_; }
    std::uint32_t loopSilenceOwed() const { return loopSilence_; }

private:
    void deviceStep(const std::int16_t* data, int channelOffset, int stride, float& peakLeft,
                    float& peakRight);
    void fileStep(float& peakLeft, float& peakRight);
    void startPlaying();
    void finishPlaying();
    std::uint32_t playRun(float* left, float* right, std::uint32_t frames, int& maxLeft,
                          int& maxRight);
    std::int16_t takeSample();
    bool atEndOfData() const { return endPending_ && half_ == endHalf_ && index_ >= endIndex_; }

    void refillHalfBuffer(int half);
    void rewind();
    void seekFrame(std::uint32_t frame);
    std::uint32_t readFrames(std::int16_t* into, std::uint32_t frames);
    void setOwnLocation(double milliseconds);
    void closeFile();
    void silenceOutlets(float& peakLeft, float& peakRight);

    SGStaticPropertyTable table_;

    // The file lock: held while the file is opened or closed, and while a half-buffer is refilled.
    std::mutex fileLock_;
    VTRiffFile file_;
    WaveFileInfo info_;
    std::uint32_t position_ = 0;     // frame of the file the next refill reads
    std::uint32_t loopSilence_ = 0;  // silent samples still owed for a loop delay
    std::vector<std::int16_t> halves_;
    int half_ = 0;
    std::uint32_t index_ = 0;
    // Where the file's data ends inside the half-buffers, once a refill has reached it.
    bool endPending_ = false;
    int endHalf_ = 0;
    std::uint32_t endIndex_ = 0;
    // Whether the half-buffers hold what a paused playback plays next.
    bool resumable_ = false;
    // The last "Location" this processor wrote itself: only other values count as seeks.
    double ownLocation_ = 0.0;
};
