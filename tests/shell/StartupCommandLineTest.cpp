#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ShellFixture.h"
#include "app/shell/VTStartupCommandLine.h"
#include "support/RecordingMessageBox.h"

namespace {

using vantrel::test::TempFolder;

struct Case {
    const char* name;
    std::vector<std::string> args;  // "A" and "B" stand for two documents that exist
    const char* path;               // "A", "B" or nullptr
    bool dacs, adcs, clock;
    const char* error;  // with "A"/"B" replaced by the documents' paths as typed
};

class StartupCommandLine : public ::testing::Test {
protected:
    TempFolder folder;
    std::string a = folder.file("first.vtx", ".vtx 0.6\n");
    std::string b = folder.file("second.vtx", ".vtx 0.6\n");

    std::string expand(const std::string& s) const {
        std::string out = s;
        for (auto [from, to] : {std::pair<std::string, std::string>{"A", a}, {"B", b}}) {
            for (std::size_t at = out.find("<" + from + ">"); at != std::string::npos;
                 at = out.find("<" + from + ">"))
                out.replace(at, from.size() + 2, to);
        }
        return out;
    }
    std::vector<std::string> arguments(const std::vector<std::string>& args) const {
        std::vector<std::string> full{"vantrel"};
        for (const auto& s : args) full.push_back(expand(s));
        return full;
    }
};

TEST_F(StartupCommandLine, SwitchesDocumentsAndTheFirstBadArgument) {
    const Case cases[] = {
        {"dacs with a document", {"/startdacs", "<A>"}, "A", true, false, false, ""},
        {"clock without dacs starts nothing", {"<A>", "/STARTCLOCK"}, "A", false, false, false, ""},
        {"adcs without dacs", {"/startadcs", "<A>"}, "A", false, false, false, ""},
        {"any case, all three", {"/StartClock", "/sTaRtAdCs", "/STARTDACS", "<A>"}, "A", true, true,
         true, ""},
        {"long switches", {"--startdacs", "--STARTCLOCK", "<A>"}, "A", true, false, true, ""},
        {"switches without a document", {"/startdacs", "/startclock"}, nullptr, true, false, true,
         ""},
        {"second document", {"<A>", "<B>"}, "A", false, false, false,
         "Bad command line parameter number 2: \"<B>\""},
        {"unknown option stops before the document", {"/STARTDACS", "--bogus", "<A>"}, nullptr,
         true, false, false, "Bad command line parameter number 2: \"--bogus\""},
        {"short option", {"<A>", "-x", "/startdacs"}, "A", false, false, false,
         "Bad command line parameter number 2: \"-x\""},
        {"an unknown /word is a path that does not exist", {"/STARTDACS", "/bogus", "<A>"}, "A",
         true, false, false, ""},
        {"a missing document is ignored", {"/nowhere/missing.vtx"}, nullptr, false, false, false,
         ""},
        {"a missing document leaves room for one that exists", {"/nowhere/missing.vtx", "<A>"},
         "A", false, false, false, ""},
        {"a folder is not a document", {"/tmp"}, nullptr, false, false, false, ""},
        {"nothing", {}, nullptr, false, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = VTStartupCommandLine::parse(arguments(c.args));
        if (c.path) {
            const std::string& expected = std::string(c.path) == "A" ? a : b;
            ASSERT_TRUE(result.request.path.has_value());
            EXPECT_EQ(*result.request.path, std::filesystem::canonical(expected).string());
        } else {
            EXPECT_FALSE(result.request.path.has_value());
        }
        EXPECT_EQ(result.request.startDacs, c.dacs);
        EXPECT_EQ(result.request.startAdcs, c.adcs);
        EXPECT_EQ(result.request.startClock, c.clock);
        EXPECT_EQ(result.error, expand(c.error));
    }
}

TEST_F(StartupCommandLine, DocumentPathIsItsCanonicalForm) {
    std::filesystem::create_directory(folder.path() / "sub");
    const std::string roundabout = (folder.path() / "sub" / ".." / "first.vtx").string();
    std::filesystem::create_symlink(a, folder.path() / "link.vtx");
    for (const std::string& typed : {roundabout, (folder.path() / "link.vtx").string()}) {
        const auto result = VTStartupCommandLine::parse({"vantrel", typed});
        ASSERT_TRUE(result.request.path.has_value()) << typed;
        EXPECT_EQ(*result.request.path, std::filesystem::canonical(a).string());
    }
}

TEST_F(StartupCommandLine, ReportShowsOneMessageWithItsCaptionAndKeepsWhatWasRead) {
    vantrel::test::RecordingMessageBox box;
    const auto request = VTStartupCommandLine::parseAndReport(arguments({"<A>", "<B>", "-y"}));
    ASSERT_EQ(box.messages.size(), 1u);
    EXPECT_EQ(box.messages[0].text, "Bad command line parameter number 2: \"" + b + "\"");
    EXPECT_EQ(box.messages[0].caption, "Vantrel Command Line Error");
    EXPECT_EQ(box.messages[0].buttons, VTMessageButtons::Ok);
    ASSERT_TRUE(request.path.has_value());
    EXPECT_EQ(*request.path, std::filesystem::canonical(a).string());

    box.messages.clear();
    VTStartupCommandLine::parseAndReport(arguments({"/startdacs", "<A>"}));
    EXPECT_TRUE(box.messages.empty());
}

TEST(StartupCommandLineTools, RenderHelpAndVersionGoToTheCommandLineTools) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"vantrel", "--render", "a.vtx", "b.wav"}, true},
        {{"vantrel", "--help"}, true},
        {{"vantrel", "-h"}, true},
        {{"vantrel", "/startdacs", "--version"}, true},
        {{"vantrel", "/startdacs", "a.vtx"}, false},
        {{"vantrel", "--startdacs"}, false},
        {{"vantrel"}, false},
        // The program's own name is not an argument.
        {{"--help"}, false},
    };
    for (const auto& [args, tool] : cases) {
        EXPECT_EQ(VTStartupCommandLine::isToolRequest(args), tool) << args.back();
    }
}

}  // namespace
