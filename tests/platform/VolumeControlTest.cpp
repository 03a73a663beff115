#include "platform/VTVolumeControl.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Two PATH directories of stub programs.
class VolumeControl : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("vantrel-path-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "a");
        fs::create_directories(root / "b");
        path = (root / "a").string() + "::" + (root / "b").string();
    }
    void TearDown() override { fs::remove_all(root); }
    void install(const char* dir, const char* name, bool executable = true) {
        const fs::path file = root / dir / name;
        std::ofstream(file) << "#!/bin/sh\n";
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
    }
    std::string at(const char* dir, const char* name) { return (root / dir / name).string(); }
    fs::path root;
    std::string path;
};

TEST_F(VolumeControl, PavucontrolComesFirst) {
    install("b", "alsamixer");
    install("b", "xterm");
    install("b", "pavucontrol");
    EXPECT_EQ(VTVolumeControl::command(path), std::vector<std::string>{at("b", "pavucontrol")});
}

TEST_F(VolumeControl, AlsamixerRunsInATerminal) {
    install("a", "alsamixer");
    install("b", "xterm");
    install("a", "gnome-terminal");
    EXPECT_EQ(VTVolumeControl::command(path),
              (std::vector<std::string>{at("b", "xterm"), "-e", at("a", "alsamixer")}));
    fs::remove(root / "b" / "xterm");
    EXPECT_EQ(VTVolumeControl::command(path),
              (std::vector<std::string>{at("a", "gnome-terminal"), "--", at("a", "alsamixer")}));
}

TEST_F(VolumeControl, NothingUsableDisablesTheItem) {
    EXPECT_TRUE(VTVolumeControl::command(path).empty());
    install("a", "alsamixer");  // no terminal to run it in
    EXPECT_TRUE(VTVolumeControl::command(path).empty());
    install("b", "pavucontrol", false);  // not executable
    EXPECT_TRUE(VTVolumeControl::command(path).empty());
    EXPECT_TRUE(VTVolumeControl::command("").empty());
}

}  // namespace
