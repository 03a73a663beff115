#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "PluginFixtures.h"
#include "contraptions/VTContraptionFactory.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocAppData.h"
#include "document/VTDocument.h"
#include "library/plugins/VSTPluginRegistry.h"
#include "makers/VTMakerTable.h"
#include "support/RecordingMessageBox.h"

using namespace vantrel::test;

namespace {

std::string wholeFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool diedAbnormally(int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }

// The plug-in crashes the process, so everything happens in the death test's child: makers,
// document and plug-in are made there.
VTContraptionMaker& crasherMaker(const TemporaryFolder& folder, const char* variant) {
    std::filesystem::copy_file(fixturePath(variant), folder.path() / "Crasher.so");
    registerAllMakers();
    VSTPluginRegistry::instance().scanAndRegister({folder.string()});
    return *VTContraptionFactory::instance().findMaker("Crasher");
}

}  // namespace

// What happens now: a plug-in that crashes takes the program down with it (it runs in the
// program's own process). The document on disk is only ever replaced whole, so what the user
// saved survives the crash, even one that strikes while a save is under way.
TEST(PluginCrash, ACrashWhileProcessingLeavesTheSavedPatchWholeEvenDuringASave) {
    TemporaryFolder folder;
    const std::filesystem::path patch = folder.path() / "patch.vtx";
    EXPECT_EXIT(
        {
            RecordingMessageBox box;
            VTContraptionMaker& maker = crasherMaker(folder, "CrashInProcess");
            auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                          std::make_unique<KDMessageDocumentDialogs>());
            VTContraption* gen =
                doc->AddContraption(VTContraptionFactory::instance().findMaker("TestGen")->index());
            VTContraption* crasher = doc->AddContraption(maker.index());
            doc->Connect(gen, 0, crasher, 0);
            doc->WriteFile(patch.string());
            FixtureLibrary lib(FixtureLibrary::File{(folder.path() / "Crasher.so").string()});
            lib.probe().crashAfterBlocks = 100;
            // The audio side runs the plug-in until it crashes; meanwhile the patch is saved
            // over and over with a changing value, so the crash falls in the middle of saves.
            std::thread audio([&] {
                for (;;) {
                    doc->Context().lock();
                    crasher->processor().process();
                    doc->Context().unlock();
                    // About the pace of live audio, so that many saves come before the crash.
                    std::this_thread::sleep_for(std::chrono::microseconds(500));
                }
            });
            for (int k = 0;; ++k) {
                vstProcessor(*crasher).parameter(1).setValue(k % 1000 / 1000.0);
                doc->WriteFile(patch.string());
                // Tells the parent that saves were under way when the crash came.
                std::fprintf(stderr, "saved %d\n", k);
            }
        },
        diedAbnormally, "saved 3");

    // The file left behind is one complete save: it reads back whole.
    const std::string text = wholeFile(patch);
    ASSERT_GT(text.size(), 4u);
    EXPECT_EQ(text.rfind(".vtx 0.6", 0), 0u);
    EXPECT_NE(text.find("\tCrasher\tCrasher_1\t{ "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "end\n");
}

TEST(PluginCrash, ACrashWhileOpeningAPatchLeavesThePatchUntouched) {
    TemporaryFolder gentleFolder, folder;
    const std::filesystem::path patch = folder.path() / "patch.vtx";
    std::string saved;
    {
        // A patch holding the plug-in, saved while it still behaved.
        RecordingMessageBox box;
        std::filesystem::copy_file(fixturePath("Replacing"), gentleFolder.path() / "Gentle.so");
        registerAllMakers();
        VSTPluginRegistry::instance().scanAndRegister({gentleFolder.string()});
        auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                      std::make_unique<KDMessageDocumentDialogs>());
        ASSERT_NE(
            doc->AddContraption(VTContraptionFactory::instance().findMaker("Gentle")->index()),
            nullptr);
        saved = doc->WriteText();
        const std::string from = "\tGentle\tGentle_1\t", to = "\tCrasher\tCrasher_1\t";
        ASSERT_NE(saved.find(from), std::string::npos);
        saved.replace(saved.find(from), from.size(), to);
        std::ofstream(patch, std::ios::binary) << saved;
    }
    EXPECT_EXIT(
        {
            RecordingMessageBox box;
            crasherMaker(folder, "CrashInOpen");
            auto doc = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                          std::make_unique<KDMessageDocumentDialogs>());
            bool changed = false;
            doc->ReadFile(patch.string(), changed);  // the plug-in crashes while it is opened
            std::exit(0);
        },
        diedAbnormally, "");
    EXPECT_EQ(wholeFile(patch), saved);
}
