#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/VTIniSettingsStore.h"
#include "platform/VTMemorySettingsStore.h"
#include "platform/VTProgramPaths.h"
#include "platform/VTSettingsKeys.h"

namespace fs = std::filesystem;

namespace {

// A fresh XDG_CONFIG_HOME for each test, so the user's own settings are never touched.
class TempConfigHome {
public:
    TempConfigHome() {
        std::string tmpl = (fs::temp_directory_path() / "vantrel-settings-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadOld_ = old != nullptr;
        if (hadOld_) old_ = old;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    ~TempConfigHome() {
        if (hadOld_)
            setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_, old_;
    bool hadOld_ = false;
};

std::string readText(const std::string& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Both stores must behave alike: the same suite runs on each, the INI one also across a reopen.
class StoreFactory {
public:
    virtual ~StoreFactory() = default;
    virtual VTSettingsStore& store() = 0;
    virtual VTSettingsStore& reopened() = 0;  // what a later run of the program sees
};

class MemoryFactory : public StoreFactory {
public:
    VTSettingsStore& store() override { return store_; }
    VTSettingsStore& reopened() override { return store_; }

private:
    VTMemorySettingsStore store_;
};

class IniFactory : public StoreFactory {
public:
    VTSettingsStore& store() override {
        if (!store_) store_ = std::make_unique<VTIniSettingsStore>();
        return *store_;
    }
    VTSettingsStore& reopened() override {
        store_.reset();
        store_ = std::make_unique<VTIniSettingsStore>();
        return *store_;
    }

private:
    TempConfigHome home_;
    std::unique_ptr<VTIniSettingsStore> store_;
};

class SettingsStoreTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (std::string(GetParam()) == "Ini")
            factory_ = std::make_unique<IniFactory>();
        else
            factory_ = std::make_unique<MemoryFactory>();
    }
    std::unique_ptr<StoreFactory> factory_;
};

}  // namespace

TEST_P(SettingsStoreTest, TypedValuesSurviveAReopen) {
    VTSettingsStore& s = factory_->store();
    std::vector<std::uint8_t> blob = {0, 1, 2, 0xff, '\n', '=', '[', ']', 0x7f};
    s.writeString(VTSettingsKeys::ClosedFiles, "File_0", "/home/u/My Songs/a b=c;d,e.vtx");
    s.writeString(VTSettingsKeys::ClosedFiles, "File_1", "@odd \\ text");
    s.writeString(VTSettingsKeys::ClosedFiles, "File_2", "");
    s.writeInteger(VTSettingsKeys::WaveStream, "InputBufferSize", 4096);
    s.writeInteger(VTSettingsKeys::MidiAndSync, "SyncInDevice", -1);
    s.writeBool(VTSettingsKeys::MainWindow, "Maximized", true);
    s.writeBool(VTSettingsKeys::MainWindow, "StatusBar", false);
    s.writeBinary(VTSettingsKeys::Toolbars, "State", blob);

    VTSettingsStore& r = factory_->reopened();
    EXPECT_EQ(r.readString(VTSettingsKeys::ClosedFiles, "File_0"),
              "/home/u/My Songs/a b=c;d,e.vtx");
    EXPECT_EQ(r.readString(VTSettingsKeys::ClosedFiles, "File_1"), "@odd \\ text");
    EXPECT_EQ(r.readString(VTSettingsKeys::ClosedFiles, "File_2"), "");
    EXPECT_EQ(r.readInteger(VTSettingsKeys::WaveStream, "InputBufferSize"), 4096);
    EXPECT_EQ(r.readInteger(VTSettingsKeys::MidiAndSync, "SyncInDevice"), -1);
    EXPECT_EQ(r.readBool(VTSettingsKeys::MainWindow, "Maximized"), true);
    EXPECT_EQ(r.readBool(VTSettingsKeys::MainWindow, "StatusBar"), false);
    EXPECT_EQ(r.readBinary(VTSettingsKeys::Toolbars, "State"), blob);
}

TEST_P(SettingsStoreTest, AbsentOrMistypedValuesReadAsNothing) {
    VTSettingsStore& s = factory_->store();
    s.writeString(VTSettingsKeys::WaveStream, "Overdrive", "yes");
    s.writeBinary(VTSettingsKeys::Toolbars, "State", {1, 2});
    VTSettingsStore& r = factory_->reopened();
    EXPECT_FALSE(r.readInteger(VTSettingsKeys::WaveStream, "Overdrive"));
    EXPECT_FALSE(r.readBool(VTSettingsKeys::WaveStream, "Overdrive"));
    EXPECT_FALSE(r.readString(VTSettingsKeys::Toolbars, "State"));
    EXPECT_FALSE(r.readBinary(VTSettingsKeys::WaveStream, "Overdrive"));
    EXPECT_FALSE(r.readString(VTSettingsKeys::WaveStream, "Missing"));
    EXPECT_FALSE(r.readInteger(VTSettingsKeys::Meters, "InputMeters"));
    EXPECT_FALSE(r.keyExists(VTSettingsKeys::Meters));
}

TEST_P(SettingsStoreTest, BareKeysExistUntilDeleted) {
    VTSettingsStore& s = factory_->store();
    EXPECT_FALSE(s.keyExists(VTSettingsKeys::DontRequestInitialHelp));
    s.createKey(VTSettingsKeys::DontRequestInitialHelp);
    EXPECT_TRUE(s.keyExists(VTSettingsKeys::DontRequestInitialHelp));
    EXPECT_TRUE(s.valueNames(VTSettingsKeys::DontRequestInitialHelp).empty());

    VTSettingsStore& r = factory_->reopened();
    EXPECT_TRUE(r.keyExists(VTSettingsKeys::DontRequestInitialHelp));
    EXPECT_TRUE(r.valueNames(VTSettingsKeys::DontRequestInitialHelp).empty());
    r.deleteKey(VTSettingsKeys::DontRequestInitialHelp);
    EXPECT_FALSE(factory_->reopened().keyExists(VTSettingsKeys::DontRequestInitialHelp));
}

TEST_P(SettingsStoreTest, DeletingValuesKeepsTheKeyAndTheOthers) {
    VTSettingsStore& s = factory_->store();
    for (int i = 0; i < 5; ++i)
        s.writeString(VTSettingsKeys::SFPaths, "Path_" + std::to_string(i),
                      "/d" + std::to_string(i));
    s.deleteValue(VTSettingsKeys::SFPaths, "Path_3");
    s.deleteValue(VTSettingsKeys::SFPaths, "Path_9");  // absent: nothing happens
    VTSettingsStore& r = factory_->reopened();
    EXPECT_EQ(r.valueNames(VTSettingsKeys::SFPaths),
              (std::vector<std::string>{"Path_0", "Path_1", "Path_2", "Path_4"}));
    for (const char* n : {"Path_0", "Path_1", "Path_2", "Path_4"})
        r.deleteValue(VTSettingsKeys::SFPaths, n);
    VTSettingsStore& again = factory_->reopened();
    EXPECT_TRUE(again.keyExists(VTSettingsKeys::SFPaths));
    EXPECT_TRUE(again.valueNames(VTSettingsKeys::SFPaths).empty());
    EXPECT_FALSE(again.valueExists(VTSettingsKeys::SFPaths, "Path_0"));
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreTest, ::testing::Values("Memory", "Ini"));

TEST(IniSettingsStoreTest, LivesUnderXdgConfigHomeAndStaysReadableText) {
    TempConfigHome home;
    {
        VTIniSettingsStore s;
        EXPECT_EQ(s.fileName(), home.dir() + "/Harlowfen/Vantrel-0.8.ini");
        s.writeString(VTSettingsKeys::SFPaths, "Path_0", "/home/u/Samples/");
        s.writeInteger(VTSettingsKeys::Meters, "InputMeters", 5);
    }
    std::string text = readText(home.dir() + "/Harlowfen/Vantrel-0.8.ini");
    EXPECT_NE(text.find("[SFPaths]"), std::string::npos) << text;
    EXPECT_NE(text.find("Path_0=/home/u/Samples/"), std::string::npos) << text;
    EXPECT_NE(text.find("InputMeters=5"), std::string::npos) << text;
}

TEST(IniSettingsStoreTest, HandEditedIntegersAreRead) {
    TempConfigHome home;
    fs::create_directories(home.dir() + "/Harlowfen");
    std::ofstream(home.dir() + "/Harlowfen/Vantrel-0.8.ini")
        << "[WaveStream]\nOutDevice0= 3 \nOverdrive=1\nInputBufferCount=four\n"
           "OutputBufferSize=99999999999\n";
    VTIniSettingsStore s;
    EXPECT_EQ(s.readInteger(VTSettingsKeys::WaveStream, "OutDevice0"), 3);
    EXPECT_EQ(s.readBool(VTSettingsKeys::WaveStream, "Overdrive"), true);
    EXPECT_FALSE(s.readInteger(VTSettingsKeys::WaveStream, "InputBufferCount"));
    EXPECT_FALSE(s.readInteger(VTSettingsKeys::WaveStream, "OutputBufferSize"));
}

TEST(IniSettingsStoreTest, DamagedOrUnwritableFilesAreSilent) {
    TempConfigHome home;
    fs::create_directories(home.dir() + "/Harlowfen");
    std::ofstream(home.dir() + "/Harlowfen/Vantrel-0.8.ini", std::ios::binary)
        << std::string("\0\xff[[[=\n\x01garbage", 16);
    {
        VTIniSettingsStore s;
        EXPECT_FALSE(s.readString(VTSettingsKeys::MainWindow, "Left"));
    }
    // A store whose folder cannot be made keeps nothing and complains about nothing.
    std::ofstream(home.dir() + "/blocker") << "x";
    VTIniSettingsStore blocked(home.dir() + "/blocker/sub/settings.ini");
    blocked.writeInteger(VTSettingsKeys::Meters, "InputMeters", 1);
    blocked.flush();
    EXPECT_FALSE(fs::exists(home.dir() + "/blocker/sub/settings.ini"));
}

TEST(ProgramPathsTest, ConfigHomeFallsBackToDotConfig) {
    TempConfigHome home;
    EXPECT_EQ(VTProgramPaths::configHome(), home.dir());
    setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    std::string homeDir = std::getenv("HOME") ? std::getenv("HOME") : "";
    EXPECT_EQ(VTProgramPaths::configHome(), homeDir + "/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(VTProgramPaths::configHome(), homeDir + "/.config");
}

TEST(ProgramPathsTest, ProgramDirectoryIsThatOfTheExecutable) {
    std::string dir = VTProgramPaths::programDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(fs::exists(dir + "test_platform"));
}
