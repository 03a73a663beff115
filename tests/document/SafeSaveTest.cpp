#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocumentFixture.h"
#include "document/KDAtomicFile.h"

namespace vantrel::test {
namespace {

using SafeSave = DocumentTest;

std::vector<std::string> filesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// While it lives, writing beyond `bytes` into any file fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    sighandler_t oldSignal_;
};

TEST_F(SafeSave, AFailedWriteLeavesTheOldFileIntact) {
    add("TestGen");
    const std::string path = file("patch.vtx");
    ASSERT_TRUE(doc->WriteFile(path));
    const std::string old = readWholeFile(path);

    buildRichPatch(*doc);
    const std::string bigger = doc->WriteText();
    ASSERT_GT(bigger.size(), old.size() + 100);
    {
        FileSizeLimit full(old.size() + 10);
        EXPECT_FALSE(doc->WriteFile(path));
    }
    EXPECT_EQ(readWholeFile(path), old);
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"patch.vtx"});
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "An error occurred while saving the document.\n");
    EXPECT_EQ(box.messages[0].caption, "Vantrel");

    // Through Save the document stays modified and keeps its path.
    dialogs->savePath = path;
    ASSERT_TRUE(doc->SaveAs());
    add("TestGen");
    {
        FileSizeLimit full(10);
        EXPECT_FALSE(doc->Save());
    }
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(readWholeFile(path), bigger);
}

TEST_F(SafeSave, ASuccessfulSaveReplacesTheFileAndLeavesNothingElse) {
    const std::string path = file("patch.vtx");
    writeWholeFile(path, std::string(100000, 'o'));  // longer than what replaces it
    add("TestGen");
    ASSERT_TRUE(doc->WriteFile(path));
    EXPECT_EQ(readWholeFile(path), doc->WriteText());
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"patch.vtx"});
}

TEST_F(SafeSave, ASaveClearsWhatASaveCutShortLeftBesideTheSameFile) {
    // A process id that no longer runs: a child that has already ended.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child), alive = std::to_string(getpid());
    const std::string path = file("patch.vtx");
    for (const std::string& leftover :
         {".patch.vtx.save-" + dead + "-0-123", ".patch.vtx.save-" + alive + "-7-1",
          ".other.vtx.save-" + dead + "-0-1", std::string(".patch.vtx.save-x-0-1")})
        writeWholeFile(file(leftover), "half a save");
    add("TestGen");
    ASSERT_TRUE(doc->WriteFile(path));
    EXPECT_EQ(filesIn(dir), (std::vector<std::string>{".other.vtx.save-" + dead + "-0-1",
                                                      ".patch.vtx.save-" + alive + "-7-1",
                                                      ".patch.vtx.save-x-0-1", "patch.vtx"}))
        << "only the dead process's leftover of this file goes";
}

TEST_F(SafeSave, PermissionsAndLinksAreKept) {
    const std::string real = file("real.vtx");
    const std::string link = file("link.vtx");
    writeWholeFile(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink("real.vtx", link);
    add("TestGen");
    ASSERT_TRUE(doc->WriteFile(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readWholeFile(real), doc->WriteText());
    struct stat st {};
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(dir), (std::vector<std::string>{"link.vtx", "real.vtx"}));
}

TEST_F(SafeSave, AReadOnlyFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write every file";
    const std::string path = file("locked.vtx");
    writeWholeFile(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    add("TestGen");
    EXPECT_FALSE(doc->WriteFile(path));
    EXPECT_EQ(readWholeFile(path), "old");
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"locked.vtx"});
}

TEST_F(SafeSave, ARelativePathIsSavedInTheWorkingDirectory) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    EXPECT_TRUE(KDAtomicFile::write("plain.vtx", "text"));
    std::filesystem::current_path(previous);
    EXPECT_EQ(readWholeFile(dir / "plain.vtx"), "text");
}

}  // namespace
}  // namespace vantrel::test
