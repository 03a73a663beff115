#include "platform/VTDocumentTypeRegistration.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class DocumentTypeRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        data = fs::temp_directory_path() / ("vantrel-xdg-data-" + std::to_string(::getpid()));
        fs::remove_all(data);
    }
    void TearDown() override { fs::remove_all(data); }
    fs::path data;
};

TEST_F(DocumentTypeRegistration, WritesTheMimePackageTheIconAndTheDesktopEntry) {
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/opt/vantrel/vantrel", data));
    const std::string package = readAll(data / "mime/packages/vantrel.xml");
    EXPECT_NE(package.find("<glob pattern=\"*.vtx\"/>"), std::string::npos);
    EXPECT_NE(package.find("<comment>Vantrel Document</comment>"), std::string::npos);
    EXPECT_TRUE(
        fs::exists(data / "icons/hicolor/scalable/mimetypes/application-x-vantrel-document.svg"));
    const std::string entry = readAll(data / "applications/vantrel.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/vantrel/vantrel\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-vantrel-document;\n"), std::string::npos);
    // The desktop's own tool, where installed, has taken the package into the database.
    if (fs::exists("/usr/bin/update-mime-database")) {
        EXPECT_NE(readAll(data / "mime/globs2").find("application/x-vantrel-document:*.vtx"),
                  std::string::npos);
    }
}

TEST_F(DocumentTypeRegistration, AnUnchangedRegistrationIsNotWrittenAgainAndAMovedProgramIs) {
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/a/vantrel", data));
    const fs::path package = data / "mime/packages/vantrel.xml";
    const auto before = fs::last_write_time(package);
    fs::last_write_time(package, before - std::chrono::hours(1));
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/b/vantrel", data));
    EXPECT_EQ(fs::last_write_time(package), before - std::chrono::hours(1));
    EXPECT_NE(readAll(data / "applications/vantrel.desktop").find("Exec=\"/b/vantrel\""),
              std::string::npos);
}

TEST_F(DocumentTypeRegistration, TheDesktopsProgramCacheIsUpdatedWhenTheEntryChanges) {
    // A stand-in for the desktop's tool, first on the search path, noting each run.
    const fs::path tools = data / "tools";
    fs::create_directories(tools);
    const fs::path log = data / "runs.txt";
    const fs::path tool = tools / "update-desktop-database";
    std::ofstream(tool) << "#!/bin/sh\necho \"$1\" >> '" << log.string() << "'\n";
    fs::permissions(tool, fs::perms::owner_all);
    const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (tools.string() + ":" + oldPath).c_str(), 1);
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/a/vantrel", data));
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/a/vantrel", data));
    ASSERT_TRUE(VTDocumentTypeRegistration::registerDocumentType("/b/vantrel", data));
    setenv("PATH", oldPath.c_str(), 1);
    const std::string dir = (data / "applications").string();
    EXPECT_EQ(readAll(log), dir + "\n" + dir + "\n") << "once for each new entry, not for the same";
}

TEST_F(DocumentTypeRegistration, FailuresAreQuiet) {
    // A plain file where the data directory should be: nothing can be written, nothing throws.
    fs::create_directories(data.parent_path());
    std::ofstream(data) << "not a directory";
    EXPECT_FALSE(VTDocumentTypeRegistration::registerDocumentType("/a/vantrel", data));
    EXPECT_FALSE(VTDocumentTypeRegistration::registerDocumentType("", "/tmp"));
    fs::remove(data);
}

TEST(DocumentTypeExecLine, QuotesWhatADesktopEntryWouldOtherwiseTakeApart) {
    struct Case {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/vantrel", "\"/usr/bin/vantrel\""},
        {"/home/me/My Programs/vantrel", "\"/home/me/My Programs/vantrel\""},
        {"/odd/100%/vantrel", "\"/odd/100%%/vantrel\""},
        {"/odd/$HOME/vantrel", "\"/odd/\\\\$HOME/vantrel\""},
        {"/odd/back\\slash", "\"/odd/back\\\\\\\\slash\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTDocumentTypeRegistration::execLine(c.path), c.exec) << c.path;
}

}  // namespace
