#pragma once

#include <cstdint>
#include <string>

#include "control/VTTransport.h"
#include "export/VTDiskSpace.h"
#include "export/VTExportLengths.h"
#include "export/VTExportSettings.h"

class SGDynSigContext;
class VTExportProgress;
class VTExportRenderer;
class VTIOContraptionPool;
class VTSoundIn;

// Renders the patch off-line into a 44100 Hz stereo 16-bit wave file: what the main output
// ("SoundOut") sends, block after block. Every processor is reset, the clock is placed so that
// recording starts on a bar line after the pre-roll, the graph runs in chunks of 131072 frames
// and afterwards the clock and the sound input are as they were.
//
// Runs on the user-interface thread with live audio stopped, so nothing else drives the signal
// context meanwhile. Failures the user can mend are shown through VTMessageBox; a cancelled or
// failed export leaves no file behind.
class VTWaveExport {
public:
    enum class Result {
        Completed,
        Cancelled,
        NotEnoughDiskSpace,
        CannotCreateFile,
        WriteFailed,  // the disk refused part of the file
        TooLong,      // more than a wave file can count
        NoSoundOut    // nothing to export; the command is offered only with a main output
    };

    static constexpr const char* kProgressCaption = "Exporting Wave File...";
    static constexpr const char* kPreRollingLine = "Pre-rolling...";
    static constexpr const char* kExportingLine = "Exporting to:";
    static constexpr const char* kCancellingLine = "Cancelling...";
    static constexpr const char* kNoSpaceCaption = "Not enough disk space";
    static constexpr const char* kNoSpaceText =
        "There is not enough space on the specified drive to export\rthe file. Reduce the "
        "export duration or select another drive.";
    static constexpr const char* kSaveErrorCaption = "Vantrel";
    static constexpr const char* kSaveErrorText = "An error occurred while saving the file.\n";
    static constexpr const char* kTooLongText =
        "The export is longer than a wave file can hold. Reduce the export duration.";

    VTWaveExport(SGDynSigContext& context, VTIOContraptionPool& pool,
                 VTFreeSpaceQuery freeSpace = vtFreeSpaceForFile);

    Result run(const VTExportSettings& settings, const std::string& file,
               VTExportProgress& progress);

    // Frames written to the file by the last run that completed.
    std::uint64_t framesWritten() const { return framesWritten_; }

    // Whether the "Processed SoundIn File" mode can be offered: the sound input exists, runs in
    // its context's update list, plays a file rather than the device, and the file is good.
    static bool soundInFileAvailable(const VTIOContraptionPool& pool);
    // "SoundIn file duration is 12.34 seconds", or empty while the mode is not available.
    static std::string soundInDurationText(const VTIOContraptionPool& pool);

private:
    struct SavedState {
        bool clockRunning = false;
        double clockTicks = 0.0;
        VTSoundIn* soundIn = nullptr;  // only in the sound-input file mode
        double location = 0.0;
        bool active = false;
    };

    bool enoughDiskSpace(const std::string& file, std::uint64_t recordFrames) const;
    SavedState saveAndPrepare(VTExportMode mode);
    void restore(const SavedState& saved);
    void preRoll(VTExportRenderer& renderer, std::uint64_t frames, VTExportProgress& progress);
    Result record(VTExportRenderer& renderer, const std::string& file, std::uint64_t frames,
                  VTSoundIn* soundIn, VTExportProgress& progress);
    void advance(VTExportProgress& progress) const;

    SGDynSigContext& context_;
    VTIOContraptionPool& pool_;
    VTTransport transport_;
    VTFreeSpaceQuery freeSpace_;
    float step_ = 1.0f;
    std::uint64_t framesWritten_ = 0;
};
