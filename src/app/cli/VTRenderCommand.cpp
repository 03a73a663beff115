#include "app/cli/VTRenderCommand.h"

#include <chrono>
#include <clocale>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/cli/VTTerminalProgress.h"
#include "audio/VTIOContraptionPool.h"
#include "control/VTMidiControllerFactory.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocAppData.h"
#include "document/VTDocument.h"
#include "export/VTWaveExport.h"
#include "makers/VTPluginMakers.h"
#include "wave/SharedSoundFilePaths.h"

namespace {

namespace fs = std::filesystem;

std::string folderOf(const std::string& path) {
    std::error_code ignored;
    fs::path absolute = fs::absolute(fs::path(path), ignored);
    return absolute.parent_path().string();
}

}  // namespace

VTRenderCommand::VTRenderCommand(const VTCommandRequest& request, Streams streams)
    : request_(request), streams_(streams) {}

void VTRenderCommand::prepareProgram(const std::string& patchPath) {
    // Documents always use a point, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    // The table's kinds and then one per plug-in found, so plug-in contraptions are read too.
    registerPluginMakers();
    VTMidiControllerFactory::install();
    // Sound files kept beside the patch are found there, and the program's own next to it.
    sharedSoundFilePaths().setSearchPaths({folderOf(patchPath)});
}

void VTRenderCommand::fail(const std::string& message) const {
    std::fprintf(streams_.err, "vantrel: %s\n", message.c_str());
}

int VTRenderCommand::run() {
    std::error_code error;
    if (!fs::is_regular_file(request_.patch, error)) {
        fail("cannot read the patch \"" + request_.patch + "\": no such file");
        return kFailed;
    }
    if (fs::equivalent(request_.patch, request_.output, error)) {
        // Writing the sound over the patch would destroy the patch.
        fail("the output file \"" + request_.output + "\" is the patch itself");
        return kFailed;
    }
    prepareProgram(request_.patch);
    // No pane layout to keep and no one to ask: the plain application data and the message
    // box's answers, which never overwrite anything.
    std::unique_ptr<VTDocument> document = VTDocument::Create(
        std::make_unique<VTDocAppData>(), std::make_unique<KDMessageDocumentDialogs>());
    if (!document) {
        fail("a document is open already");
        return kFailed;
    }
    if (!readPatch(*document)) return kFailed;
    if (!checkPatch()) return kFailed;
    return exportPatch(document->Context());
}

bool VTRenderCommand::readPatch(VTDocument& document) {
    bool changed = false;
    // As File Open does; the reader shows its own message for a damaged or newer document.
    if (document.ReadFile(request_.patch, changed)) return true;
    fail("the patch \"" + request_.patch + "\" could not be read");
    return false;
}

bool VTRenderCommand::checkPatch() {
    const VTIOContraptionPool& pool = VTIOContraptionPool::instance();
    if (!pool.soundOut()) {
        fail("the patch has no SoundOut, so there is nothing to render");
        return false;
    }
    if (request_.settings.mode == VTExportMode::SoundInFile &&
        !VTWaveExport::soundInFileAvailable(pool)) {
        fail("--mode soundin needs a SoundIn that plays a good file and is wired into the patch");
        return false;
    }
    return true;
}

int VTRenderCommand::exportPatch(SGDynSigContext& context) {
    VTWaveExport exporter(context, VTIOContraptionPool::instance());
    VTTerminalProgress progress(streams_.err, streams_.drawProgressBar);
    const auto started = std::chrono::steady_clock::now();
    const VTWaveExport::Result result = exporter.run(request_.settings, request_.output, progress);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;

    switch (result) {
        case VTWaveExport::Result::Completed:
            std::fprintf(
                streams_.out, "%s\n",
                summary(exporter.framesWritten(), elapsed.count(), request_.output).c_str());
            return kSucceeded;
        case VTWaveExport::Result::Cancelled:
            fail("render cancelled; no file written");
            return kCancelled;
        case VTWaveExport::Result::NoSoundOut:
            fail("the patch has no SoundOut, so there is nothing to render");
            return kFailed;
        default:
            // The export has shown its message.
            return kFailed;
    }
}

std::string VTRenderCommand::summary(std::uint64_t frames, double elapsedSeconds,
                                     const std::string& file) {
    const double seconds = static_cast<double>(frames) / 44100.0;
    char speed[64];
    if (elapsedSeconds > 0.0)
        std::snprintf(speed, sizeof speed, "%.1fx real time", seconds / elapsedSeconds);
    else
        std::snprintf(speed, sizeof speed, "faster than the clock can tell");
    char line[128];
    std::snprintf(line, sizeof line, "Wrote %llu frames (%.3f s) in %.3f s, %s: ",
                  static_cast<unsigned long long>(frames), seconds, elapsedSeconds, speed);
    return line + file;
}
