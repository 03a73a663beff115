#include "export/VTWaveExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "audio/VTIOContraptionPool.h"
#include "audio/VTSoundIn.h"
#include "export/VTExportProgress.h"
#include "export/VTExportRenderer.h"
#include "platform/VTMessageBox.h"
#include "signal/SGDynSigContext.h"
#include "wave/VTWaveOutFile.h"

namespace {

constexpr std::uint32_t kChunk = VTExportRenderer::kChunkFrames;

void showSaveError() {
    VTMessageBox::show(VTWaveExport::kSaveErrorText, VTWaveExport::kSaveErrorCaption);
}

// The writer is closed before its file goes, so that nothing is written to it afterwards.
void discard(std::unique_ptr<VTWaveOutFile>& writer, const std::string& file) {
    writer.reset();
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

}  // namespace

VTWaveExport::VTWaveExport(SGDynSigContext& context, VTIOContraptionPool& pool,
                           VTFreeSpaceQuery freeSpace)
    : context_(context), pool_(pool), transport_(context), freeSpace_(std::move(freeSpace)) {}

bool VTWaveExport::soundInFileAvailable(const VTIOContraptionPool& pool) {
    const VTSoundIn* in = pool.soundIn();
    if (!in || !in->context() || !in->context()->isListed(in)) return false;
    return !in->useADC.value() && in->fileIsGood.value();
}

std::string VTWaveExport::soundInDurationText(const VTIOContraptionPool& pool) {
    if (!soundInFileAvailable(pool)) return {};
    char seconds[64];
    std::snprintf(seconds, sizeof seconds, "%0.2f", pool.soundIn()->duration.value() / 1000.0);
    return std::string("SoundIn file duration is ") + seconds + " seconds";
}

VTWaveExport::Result VTWaveExport::run(const VTExportSettings& settings, const std::string& file,
                                       VTExportProgress& progress) {
    framesWritten_ = 0;
    if (!pool_.soundOut()) return Result::NoSoundOut;
    const VTExportLengths::Frames frames =
        VTExportLengths::framesFor(settings, transport_.samplesPerTick());
    if (frames.record > VTExportLengths::kMaxFileFrames) {
        VTMessageBox::show(kTooLongText, kSaveErrorCaption);
        return Result::TooLong;
    }
    if (!enoughDiskSpace(file, frames.record)) {
        VTMessageBox::show(kNoSpaceText, kNoSpaceCaption, VTMessageButtons::Ok,
                           VTMessageIcon::Stop);
        return Result::NotEnoughDiskSpace;
    }

    progress.begin(kProgressCaption);
    progress.setLines(kPreRollingLine, "");
    progress.setProgress(0.0f);
    progress.processEvents();
    step_ = VTExportLengths::progressStep(frames);

    const SavedState saved = saveAndPrepare(settings.mode);
    Result result = Result::Cancelled;
    {
        // The staging buffer lives for this export only.
        VTExportRenderer renderer(context_, pool_);
        preRoll(renderer, frames.preRoll, progress);
        if (!progress.cancelRequested())
            result = record(renderer, file, frames.record, saved.soundIn, progress);
    }
    restore(saved);
    progress.end();
    return result;
}

bool VTWaveExport::enoughDiskSpace(const std::string& file, std::uint64_t recordFrames) const {
    if (!freeSpace_) return true;
    const std::optional<std::uint64_t> available = freeSpace_(file);
    // When the free space cannot be found out, the export goes ahead.
    return !available || *available >= VTExportLengths::requiredDiskBytes(recordFrames);
}

VTWaveExport::SavedState VTWaveExport::saveAndPrepare(VTExportMode mode) {
    SavedState saved;
    if (mode == VTExportMode::SoundInFile && (saved.soundIn = pool_.soundIn())) {
        saved.location = saved.soundIn->location.value();
        saved.active = saved.soundIn->active.value();
        // Rewound and held until the first recorded frame.
        saved.soundIn->location.setValue(0.0);
        saved.soundIn->active.setValue(false);
    }
    saved.clockRunning = transport_.isPlaying();
    saved.clockTicks = std::trunc(transport_.position());
    context_.resetAll();
    transport_.play();
    return saved;
}

// A clock that ran goes on from its whole-tick position; one that stood is back at the start.
void VTWaveExport::restore(const SavedState& saved) {
    if (saved.clockRunning) {
        transport_.setPosition(saved.clockTicks);
        transport_.play();
    } else {
        transport_.stop();
        transport_.setPosition(0.0);
    }
    if (saved.soundIn) {
        saved.soundIn->location.setValue(saved.location);
        saved.soundIn->active.setValue(saved.active);
    }
}

void VTWaveExport::preRoll(VTExportRenderer& renderer, std::uint64_t frames,
                           VTExportProgress& progress) {
    const std::uint64_t raised = VTExportLengths::raisedPreRoll(frames);
    transport_.setPosition(VTExportLengths::clockStartTicks(raised, transport_.samplesPerTick()));
    for (std::uint64_t c = 0; c < raised / kChunk; ++c) {
        if (progress.cancelRequested()) return;
        renderer.renderChunk();
        advance(progress);
    }
}

VTWaveExport::Result VTWaveExport::record(VTExportRenderer& renderer, const std::string& file,
                                          std::uint64_t frames, VTSoundIn* soundIn,
                                          VTExportProgress& progress) {
    progress.setLines(kExportingLine, file);
    auto writer = std::make_unique<VTWaveOutFile>(file, 44100, 2, true);
    if (!writer->isOpen()) {
        showSaveError();
        return Result::CannotCreateFile;
    }
    if (soundIn) soundIn->active.setValue(true);

    std::uint64_t written = 0;
    bool refused = false;
    for (std::uint64_t c = 0; c < frames / kChunk && !refused; ++c) {
        if (progress.cancelRequested()) break;
        renderer.renderChunk();
        refused = writer->writeFrames(renderer.samples(), kChunk) != kChunk;
        written += kChunk;
        advance(progress);
    }
    if (!refused && written < frames && !progress.cancelRequested()) {
        // The last part is rendered as a whole chunk; only what is missing is kept.
        const auto rest = static_cast<std::uint32_t>(frames - written);
        renderer.renderChunk();
        refused = writer->writeFrames(renderer.samples(), rest) != rest;
        written += rest;
        advance(progress);  // so a finished export shows a full bar
    }

    if (progress.cancelRequested()) {
        progress.setLines(kCancellingLine, "");
        progress.setProgress(1.0f);
        discard(writer, file);
        return Result::Cancelled;
    }
    if (refused) {
        // A file cut short is worth nothing to the user, and saying so is better than a file
        // that silently ends early.
        discard(writer, file);
        showSaveError();
        return Result::WriteFailed;
    }
    writer.reset();  // completes the header
    framesWritten_ = written;
    return Result::Completed;
}

void VTWaveExport::advance(VTExportProgress& progress) const {
    progress.setProgress(std::min(1.0f, progress.progress() + step_));
    progress.processEvents();
}
