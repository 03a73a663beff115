#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "app/cli/VTRenderCommand.h"
#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionFactory.h"
#include "contraptions/VTContraptionMaker.h"
#include "document/KDMessageDocumentDialogs.h"
#include "document/VTDocAppData.h"
#include "document/VTDocument.h"
#include "makers/VTMakerTable.h"
#include "support/RecordingMessageBox.h"

namespace {

namespace fs = std::filesystem;

// Between them the examples hold a contraption of every kind of the program's own table (plug-in
// kinds depend on what the machine has installed), and every one reads back without a message.
TEST(Examples, UseEveryKindOfContraption) {
    vantrel::test::RecordingMessageBox messages;
    registerAllMakers();
    const VTContraptionFactory& factory = VTContraptionFactory::instance();
    std::vector<std::string> kinds;
    for (int m = 0; m < factory.makerCount(); ++m) kinds.push_back(factory.maker(m).name());
    VTRenderCommand::prepareProgram(std::string(VANTREL_EXAMPLES_DIR) + "/groove.vtx");
    auto document = VTDocument::Create(std::make_unique<VTDocAppData>(),
                                       std::make_unique<KDMessageDocumentDialogs>());
    ASSERT_NE(document, nullptr);
    std::set<std::string> used;
    for (const auto& entry : fs::directory_iterator(VANTREL_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vtx") continue;
        SCOPED_TRACE(entry.path().filename().string());
        bool changed = false;
        ASSERT_TRUE(document->ReadFile(entry.path().string(), changed));
        EXPECT_GE(document->ContraptionCount(), 2);
        for (int i = 0; i < document->ContraptionCount(); ++i)
            used.insert(document->ContraptionAt(i)->makerName());
    }
    document->Reset();
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_GT(kinds.size(), 40u);
    for (const std::string& kind : kinds)
        EXPECT_TRUE(used.count(kind)) << kind << " is in no example";
}

}  // namespace
