#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "WaveTestFiles.h"
#include "platform/VTIniSettingsStore.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/VTSettingsKeys.h"
#include "wave/SoundFilePaths.h"

using namespace WaveTestFiles;
namespace fs = std::filesystem;

namespace {

class SoundFilePathsTest : public ::testing::Test {
protected:
    SoundFilePathsTest()
        : a(root("Samples/")), b(root("More/")), program(root("prog/")), paths(program) {
        for (const std::string& d : {a, b, program}) fs::create_directories(d);
        fs::create_directories(b + "drums");
        touch(a + "kick.wav");
        touch(b + "kick.wav");
        touch(b + "snare.wav");
        touch(b + "drums/hat.wav");
        touch(program + "demo.wav");
        paths.setSearchPaths({a, b});
    }
    std::string root(const std::string& rel) const { return dir.path(rel); }
    static void touch(const std::string& f) { writeFile(f, Bytes{1}); }

    ScratchDir dir;
    std::string a, b, program;
    SoundFilePaths paths;
};

}  // namespace

TEST_F(SoundFilePathsTest, ResolvesAlongTheDirectoriesThenTheProgramDirectory) {
    EXPECT_EQ(paths.resolveSoundFileName("kick.wav"), a + "kick.wav");  // first in list order
    EXPECT_EQ(paths.resolveSoundFileName("snare.wav"), b + "snare.wav");
    EXPECT_EQ(paths.resolveSoundFileName("drums/hat.wav"), b + "drums/hat.wav");
    EXPECT_EQ(paths.resolveSoundFileName("demo.wav"), program + "demo.wav");
    EXPECT_EQ(paths.resolveSoundFileName("gone.wav"), "gone.wav");
    EXPECT_EQ(paths.resolveSoundFileName(""), "");
    EXPECT_EQ(paths.resolveSoundFileName(b + "snare.wav"), b + "snare.wav");  // full paths stay
    EXPECT_EQ(paths.resolveSoundFileName("drums"), "drums");  // a directory is no sound file

    EXPECT_TRUE(paths.soundFileExists("drums/hat.wav"));
    EXPECT_TRUE(paths.soundFileExists(b + "snare.wav"));
    EXPECT_FALSE(paths.soundFileExists("gone.wav"));
    EXPECT_FALSE(paths.soundFileExists(""));
}

TEST_F(SoundFilePathsTest, BackslashesInStoredNamesAreSeparators) {
    EXPECT_EQ(paths.resolveSoundFileName("drums\\hat.wav"), b + "drums/hat.wav");
    EXPECT_TRUE(paths.soundFileExists("drums\\hat.wav"));
    EXPECT_EQ(paths.resolveSoundFileName("old\\gone.wav"), "old/gone.wav");
}

TEST_F(SoundFilePathsTest, ShortensBelowASearchDirectoryOrTheProgramDirectory) {
    EXPECT_EQ(paths.makeRelativeSoundFileName(a + "kick.wav"), "kick.wav");
    EXPECT_EQ(paths.makeRelativeSoundFileName(b + "drums/hat.wav"), "drums/hat.wav");
    EXPECT_EQ(paths.makeRelativeSoundFileName(program + "demo.wav"), "demo.wav");
    EXPECT_EQ(paths.makeRelativeSoundFileName(root("elsewhere/x.wav")), root("elsewhere/x.wav"));
    EXPECT_EQ(paths.makeRelativeSoundFileName(a), a);  // not strictly longer than the directory
    EXPECT_EQ(paths.makeRelativeSoundFileName(""), "");
    // A directory only matches whole: "Samples2" is not below "Samples/".
    EXPECT_EQ(paths.makeRelativeSoundFileName(root("Samples2/k.wav")), root("Samples2/k.wav"));
    // Stored names are written with "/".
    std::string backslashed = b + "drums\\hat.wav";
    EXPECT_EQ(paths.makeRelativeSoundFileName(backslashed), "drums/hat.wav");

    for (const std::string& chosen : {a + "kick.wav", b + "drums/hat.wav", program + "demo.wav"})
        EXPECT_EQ(paths.resolveSoundFileName(paths.makeRelativeSoundFileName(chosen)), chosen);
}

// Letter case is ignored only where the short name still finds the chosen file: on a
// case-sensitive file system "samples/" is another directory than "Samples/".
TEST_F(SoundFilePathsTest, CaseIsIgnoredOnlyWhereTheFileSystemAgrees) {
    std::string lower = root("samples/");
    fs::create_directories(lower);
    touch(lower + "kick.wav");
    EXPECT_EQ(paths.makeRelativeSoundFileName(lower + "kick.wav"), lower + "kick.wav");

    // Where the differently cased directory is the same one (a link here, standing in for a
    // case-blind file system), the short name is kept.
    std::string alias = root("SAMPLES");
    fs::create_directory_symlink(a, alias);
    EXPECT_EQ(paths.makeRelativeSoundFileName(alias + "/kick.wav"), "kick.wav");
}

TEST_F(SoundFilePathsTest, DirectoriesAlwaysEndInASlash) {
    paths.setSearchPaths({root("More"), "", root("Samples\\")});
    EXPECT_EQ(paths.searchPaths(), (std::vector<std::string>{b, a}));
    EXPECT_EQ(paths.resolveSoundFileName("kick.wav"), b + "kick.wav");
    EXPECT_EQ(SoundFilePaths(root("prog")).programDirectory(), program);
}

TEST_F(SoundFilePathsTest, RemembersTheDialogDirectories) {
    std::string programNoSlash = program.substr(0, program.size() - 1);
    EXPECT_EQ(paths.soundFileDialogDirectory(), programNoSlash);
    EXPECT_EQ(paths.outputDialogDirectory(), programNoSlash);
    paths.rememberSoundFileDirectory(b + "drums/hat.wav");
    paths.rememberOutputDirectory("/tmp/out\\mix.wav");
    EXPECT_EQ(paths.soundFileDialogDirectory(), b + "drums");
    EXPECT_EQ(paths.outputDialogDirectory(), "/tmp/out");
    paths.rememberSoundFileDirectory("");
    EXPECT_EQ(paths.soundFileDialogDirectory(), programNoSlash);
    EXPECT_EQ(paths.outputDialogDirectory(), "/tmp/out");
}

TEST(SoundFilePathsStoreTest, SavingAShorterListDeletesTheLeftovers) {
    VTMemorySettingsStore store;
    SoundFilePaths paths("/opt/vantrel/");
    paths.setSearchPaths({"/s/0/", "/s/1/", "/s/2/", "/s/3/", "/s/4/"});
    paths.saveSearchPaths(store);
    paths.setSearchPaths({"/t/0/", "/t/1/"});
    paths.saveSearchPaths(store);
    EXPECT_EQ(store.valueNames(VTSettingsKeys::SFPaths),
              (std::vector<std::string>{"Path_0", "Path_1"}));
    EXPECT_EQ(store.readString(VTSettingsKeys::SFPaths, "Path_1"), "/t/1/");

    paths.setSearchPaths({});
    paths.saveSearchPaths(store);
    EXPECT_TRUE(store.keyExists(VTSettingsKeys::SFPaths));
    EXPECT_TRUE(store.valueNames(VTSettingsKeys::SFPaths).empty());
}

TEST(SoundFilePathsStoreTest, LoadingStopsAtTheFirstGapOrUnreadableValue) {
    VTMemorySettingsStore store;
    SoundFilePaths paths("/opt/vantrel/");
    paths.setSearchPaths({"/left/over/"});
    paths.loadSearchPaths(store);  // no key: the list is empty
    EXPECT_TRUE(paths.searchPaths().empty());

    store.writeString(VTSettingsKeys::SFPaths, "Path_0", "/a/");
    store.writeString(VTSettingsKeys::SFPaths, "Path_1", "D:\\Samples\\Drums");
    store.writeString(VTSettingsKeys::SFPaths, "Path_3", "/after/gap/");
    paths.loadSearchPaths(store);
    EXPECT_EQ(paths.searchPaths(), (std::vector<std::string>{"/a/", "D:/Samples/Drums/"}));

    store.writeInteger(VTSettingsKeys::SFPaths, "Path_1", 7);
    paths.loadSearchPaths(store);
    EXPECT_EQ(paths.searchPaths(), (std::vector<std::string>{"/a/"}));
}

TEST(SoundFilePathsStoreTest, TheListSurvivesTheIniFile) {
    ScratchDir dir;
    std::string ini = dir.path("settings.ini");
    {
        VTIniSettingsStore store(ini);
        SoundFilePaths paths("/opt/vantrel/");
        paths.setSearchPaths({"/home/u/My Samples/", "/mnt/sfx/"});
        paths.saveSearchPaths(store);
    }
    VTIniSettingsStore store(ini);
    SoundFilePaths paths("/opt/vantrel/");
    paths.loadSearchPaths(store);
    EXPECT_EQ(paths.searchPaths(), (std::vector<std::string>{"/home/u/My Samples/", "/mnt/sfx/"}));
}
