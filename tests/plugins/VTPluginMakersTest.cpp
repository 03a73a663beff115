#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "PluginFixtures.h"
#include "contraptions/VTContraptionFactory.h"
#include "makers/VTMakerTable.h"
#include "makers/VTPluginMakers.h"
#include "support/RecordingMessageBox.h"

using namespace vantrel::test;

// The start-up step runs once per process, so this is the one test that calls it.
TEST(VTPluginMakers, StartUpRegistersThePluginsOfVstPathAfterTheTableSoDocumentsFindThem) {
    TemporaryFolder folder;
    std::filesystem::copy_file(fixturePath("Replacing"), folder.path() / "My Synth.so");
    std::filesystem::copy_file(fixturePath("Stereo"), folder.folder("Effects") / "Swap.so");
    ASSERT_EQ(setenv("VST_PATH", folder.string().c_str(), 1), 0);

    const VSTPluginFolder& tree = registerPluginMakers();
    unsetenv("VST_PATH");
    EXPECT_EQ(&registerPluginMakers(), &tree) << "a second call scans nothing";
    ASSERT_EQ(tree.plugins.size(), 1u);
    ASSERT_EQ(tree.folders.size(), 1u);
    EXPECT_EQ(tree.folders[0].name, "Effects");
    EXPECT_EQ(tree.plugins[0].name, "My_Synth");

    VTContraptionFactory& factory = VTContraptionFactory::instance();
    VTContraptionMaker* matrix = factory.findMaker("8x8Matrix");
    ASSERT_NE(matrix, nullptr) << "the table's makers are registered first";
    // After the table, in scan order: the folder's plug-ins before those beside it.
    EXPECT_GT(tree.folders[0].plugins.at(0).makerIndex, matrix->index());
    EXPECT_EQ(tree.plugins[0].makerIndex, tree.folders[0].plugins.at(0).makerIndex + 1);

    RecordingMessageBox box;
    auto synth = factory.createContraption("My_Synth", "My_Synth_3");
    ASSERT_NE(synth, nullptr);
    EXPECT_EQ(synth->name(), "My_Synth_3");
    EXPECT_EQ(synth->inletCount(), 1);
    auto swap = factory.createContraption("Swap", {});
    ASSERT_NE(swap, nullptr);
    EXPECT_EQ(swap->outletCount(), 2);
    EXPECT_TRUE(box.messages.empty());
}
