#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PluginFixtures.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/plugins/VSTContraptionMaker.h"
#include "library/plugins/VSTPluginRegistry.h"
#include "library/plugins/VSTPluginScan.h"
#include "makers/VTMakerTable.h"

namespace fs = std::filesystem;
using vantrel::test::TemporaryFolder;

namespace {

std::vector<std::string> folderNames(const VSTPluginFolder& f) {
    std::vector<std::string> names;
    for (const auto& sub : f.folders) names.push_back(sub.name);
    return names;
}

std::vector<std::string> pluginNames(const VSTPluginFolder& f) {
    std::vector<std::string> names;
    for (const auto& p : f.plugins) names.push_back(p.name);
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(VSTPluginScan, MakerNamesDropTheSuffixAndReplaceBlanks) {
    struct Case {
        const char* file;
        const char* name;
    } cases[] = {
        {"My Synth.so", "My_Synth"},       {"Plain.so", "Plain"},
        {"two  blanks.so", "two__blanks"}, {"tab\there.so", "tab_here"},
        {"Kars-vst.so", "Kars-vst"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VSTContraptionMaker::makerNameFor(c.file), c.name) << c.file;
}

TEST(VSTPluginScan, FoldersComeFirstAndEachGroupSortsWithoutRegardToCase) {
    TemporaryFolder root;
    root.touch("b/inner.so");
    root.touch("A/deeper/still/one.so");
    root.touch("Zeta.so");
    root.touch("alpha.so");
    root.touch("My Synth.so");
    root.touch("c/readme.txt");  // no library: left out
    root.folder("empty");        // left out
    root.touch("notes.txt");
    root.touch("libfoo.so.1");  // a versioned library, not a plug-in

    VSTPluginFolder top = VSTPluginScan::scan({root.string()});
    EXPECT_EQ(folderNames(top), (Names{"A", "b"}));
    EXPECT_EQ(pluginNames(top), (Names{"alpha", "My_Synth", "Zeta"}));
    // A folder counts when a plug-in lies anywhere below it.
    ASSERT_EQ(top.folders[0].folders.size(), 1u);
    EXPECT_EQ(top.folders[0].folders[0].name, "deeper");
    EXPECT_EQ(pluginNames(top.folders[0].folders[0].folders.at(0)), (Names{"one"}));
    EXPECT_EQ(pluginNames(top.folders[1]), (Names{"inner"}));
    EXPECT_EQ(top.plugins[1].path, (root.path() / "My Synth.so").string());
}

TEST(VSTPluginScan, AFolderWithoutPluginsOrNoFolderAtAllGivesNothing) {
    TemporaryFolder root;
    root.touch("docs/readme.txt");
    root.folder("empty/also-empty");
    EXPECT_TRUE(VSTPluginScan::scan({root.string()}).empty());
    EXPECT_TRUE(VSTPluginScan::scan({(root.path() / "missing").string()}).empty());
    EXPECT_TRUE(VSTPluginScan::scan({}).empty());
}

TEST(VSTPluginScan, APluginReachedTwiceIsListedOnce) {
    TemporaryFolder root;
    fs::path real = root.touch("lib/Real.so");
    fs::create_symlink(real, root.path() / "lib" / "Alias.so");
    // A folder link: the same folder reached again, and a link back up the tree.
    fs::create_directory_symlink(root.path() / "lib", root.path() / "again");
    fs::create_directory_symlink(root.path(), root.path() / "lib" / "loop");
    fs::create_symlink(root.path() / "nowhere.so", root.path() / "Dangling.so");

    // The root listed twice too, as VST_PATH may list it.
    VSTPluginFolder top = VSTPluginScan::scan({root.string(), root.string()});
    int found = 0;
    std::function<void(const VSTPluginFolder&)> count = [&](const VSTPluginFolder& f) {
        found += static_cast<int>(f.plugins.size());
        for (const auto& sub : f.folders) count(sub);
    };
    count(top);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(top.plugins.size(), 0u);
}

TEST(VSTPluginScan, OfTwoPluginsWithOneNameTheFirstFoundIsKept) {
    TemporaryFolder first, second;
    first.touch("Same.so");
    second.touch("Same.so");
    second.touch("Other.so");
    second.touch("TestGen.so");
    VSTPluginFolder top =
        VSTPluginScan::scan({first.string(), second.string()},
                            [](const std::string& name) { return name == "TestGen"; });
    EXPECT_EQ(pluginNames(top), (Names{"Other", "Same"}));
    EXPECT_EQ(top.plugins[1].path, (first.path() / "Same.so").string());
}

TEST(VSTPluginScan, RootsMergeIntoOneSortedTop) {
    TemporaryFolder first, second;
    first.touch("zed.so");
    first.touch("Folder2/x.so");
    second.touch("Beta.so");
    second.touch("folder1/y.so");
    VSTPluginFolder top = VSTPluginScan::scan({first.string(), second.string()});
    EXPECT_EQ(folderNames(top), (Names{"folder1", "Folder2"}));
    EXPECT_EQ(pluginNames(top), (Names{"Beta", "zed"}));
}

TEST(VSTPluginScan, CaptionsCompareWithoutCaseAndExactTextBreaksTies) {
    EXPECT_TRUE(VSTPluginScan::captionLess("alpha", "Zeta"));
    EXPECT_FALSE(VSTPluginScan::captionLess("Zeta", "alpha"));
    EXPECT_TRUE(VSTPluginScan::captionLess("A", "b"));
    EXPECT_TRUE(VSTPluginScan::captionLess("Abc", "abc"));
    EXPECT_FALSE(VSTPluginScan::captionLess("abc", "Abc"));
    EXPECT_FALSE(VSTPluginScan::captionLess("same", "same"));
}

TEST(VSTPluginScan, FoldersBesideTheProgramThenVstPathOrTheUsualFolders) {
    EXPECT_EQ(VSTPluginScan::foldersFrom("/opt/vantrel/", nullptr, "/home/u"),
              (Names{"/opt/vantrel/VSTplugins", "/home/u/.vst", "/usr/local/lib/vst",
                     "/usr/lib/vst", "/usr/lib/lxvst"}));
    EXPECT_EQ(VSTPluginScan::foldersFrom("/opt/vantrel/", "/a:/b/c::/d", "/home/u"),
              (Names{"/opt/vantrel/VSTplugins", "/a", "/b/c", "/d"}));
    // A VST_PATH naming no folder is no VST_PATH; without a home there is no ~/.vst.
    EXPECT_EQ(VSTPluginScan::foldersFrom("", ":", nullptr),
              (Names{"/usr/local/lib/vst", "/usr/lib/vst", "/usr/lib/lxvst"}));
}

TEST(VSTPluginRegistry, RegistersPluginMakersAfterEveryOtherMakerInScanOrder) {
    registerAllMakers();
    VTContraptionFactory& factory = VTContraptionFactory::instance();
    int before = factory.makerCount();
    TemporaryFolder root;
    root.touch("Sub/RegInner.so");
    root.touch("RegOuter.so");
    root.touch("TestGen.so");  // the name of a built-in maker: left out

    VSTPluginFolder top = VSTPluginRegistry::instance().scanAndRegister({root.string()});
    ASSERT_EQ(factory.makerCount(), before + 2);
    EXPECT_EQ(pluginNames(top), (Names{"RegOuter"}));
    const VSTPluginEntry& inner = top.folders.at(0).plugins.at(0);
    const VSTPluginEntry& outer = top.plugins.at(0);
    EXPECT_EQ(inner.makerIndex, before);
    EXPECT_EQ(outer.makerIndex, before + 1);
    VTContraptionMaker& maker = factory.maker(outer.makerIndex);
    EXPECT_EQ(maker.name(), "RegOuter");
    EXPECT_EQ(maker.category(), "VST Plugins");
    EXPECT_EQ(maker.helpContext(), 1025);
    EXPECT_FALSE(maker.unnumbered());
    EXPECT_EQ(factory.findMaker("RegInner"), &factory.maker(inner.makerIndex));
    EXPECT_FALSE(static_cast<VSTContraptionMaker&>(maker).isLoaded())
        << "loaded only at the first creation";
}
