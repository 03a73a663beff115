#include <gtest/gtest.h>

#include "app/cli/VTCommandLine.h"

namespace {

using Action = VTCommandRequest::Action;
using Args = std::vector<std::string>;

TEST(CommandLine, HelpAndVersionWinWherever) {
    struct Case {
        Args args;
        Action action;
    } cases[] = {
        {{"--help"}, Action::Help},
        {{"-h"}, Action::Help},
        {{"--render", "a.vtx", "--help"}, Action::Help},
        {{"--version"}, Action::Version},
        {{"--render", "a.vtx", "b.wav", "--version"}, Action::Version},
        {{"--bogus", "--help"}, Action::Help},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        EXPECT_EQ(VTCommandLine::parse(c.args).action, c.action);
    }
}

TEST(CommandLine, RenderTakesTheExportDialogsDefaults) {
    VTCommandRequest r = VTCommandLine::parse(Args{"--render", "song.vtx", "out.wav"});
    ASSERT_EQ(r.action, Action::Render) << r.error;
    EXPECT_EQ(r.patch, "song.vtx");
    EXPECT_EQ(r.output, "out.wav");
    EXPECT_EQ(r.settings.mode, VTExportMode::Pattern);
    EXPECT_TRUE(r.settings.inBars);
    EXPECT_DOUBLE_EQ(r.settings.preRoll, 0.0);
    EXPECT_DOUBLE_EQ(r.settings.record, 1.0);
}

TEST(CommandLine, RenderOptionsInAnyOrderAndEitherForm) {
    struct Case {
        Args args;
        VTExportMode mode;
        bool inBars;
        double preRoll, record;
    } cases[] = {
        {{"--render", "s.vtx", "o.wav", "--mode", "timed", "--preroll", "2.5", "--length=0.1"},
         VTExportMode::TimedSegment,
         false,
         2.5,
         0.1},
        {{"--render", "--mode=soundin", "s.vtx", "--length", "10000", "o.wav"},
         VTExportMode::SoundInFile,
         false,
         0.0,
         10000.0},
        {{"--mode", "pattern", "--render", "s.vtx", "o.wav", "--preroll", "1000"},
         VTExportMode::Pattern,
         true,
         1000.0,
         1.0},
        {{"--render", "s.vtx", "o.wav", "--length", "4", "--mode", "timed"},
         VTExportMode::TimedSegment,
         false,
         0.0,
         4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        VTCommandRequest r = VTCommandLine::parse(c.args);
        if (c.args.front() == "--mode") {
            // Render options before --render are not render options yet.
            EXPECT_EQ(r.action, Action::Error);
            continue;
        }
        ASSERT_EQ(r.action, Action::Render) << r.error;
        EXPECT_EQ(r.patch, "s.vtx");
        EXPECT_EQ(r.output, "o.wav");
        EXPECT_EQ(r.settings.mode, c.mode);
        EXPECT_EQ(r.settings.inBars, c.inBars);
        EXPECT_DOUBLE_EQ(r.settings.preRoll, c.preRoll);
        EXPECT_DOUBLE_EQ(r.settings.record, c.record);
    }
}

TEST(CommandLine, MistakesAreNamed) {
    struct Case {
        Args args;
        std::string error;
    } cases[] = {
        {{"--frobnicate"}, "Bad command line parameter number 1: \"--frobnicate\""},
        {{"--render", "s.vtx", "o.wav", "extra"}, "Bad command line parameter number 4: \"extra\""},
        {{"--render", "s.vtx", "o.wav", "--render"},
         "Bad command line parameter number 4: \"--render\""},
        {{"--render", "s.vtx"},
         "--render needs a patch and an output file: --render PATCH.vtx OUT.wav"},
        {{"--render"}, "--render needs a patch and an output file: --render PATCH.vtx OUT.wav"},
        {{"--render", "s.vtx", "o.wav", "--mode", "loud"},
         "--mode must be pattern, soundin or timed, not \"loud\""},
        {{"--render", "s.vtx", "o.wav", "--length"}, "--length needs a value"},
        {{"--render", "s.vtx", "o.wav", "--length", "0"},
         "The length must be a number from 0.1 to 10000, not \"0\""},
        {{"--render", "s.vtx", "o.wav", "--length", "1,5"},
         "The length must be a number from 0.1 to 10000, not \"1,5\""},
        {{"--render", "s.vtx", "o.wav", "--length", "nan"},
         "The length must be a number from 0.1 to 10000, not \"nan\""},
        {{"--render", "s.vtx", "o.wav", "--length", "inf"},
         "The length must be a number from 0.1 to 10000, not \"inf\""},
        {{"--render", "s.vtx", "o.wav", "--length="},
         "The length must be a number from 0.1 to 10000, not \"\""},
        {{"--render", "s.vtx", "o.wav", "--preroll", "-1"},
         "The pre-roll must be a number from 0 to 1000, not \"-1\""},
        {{"--render", "s.vtx", "o.wav", "--preroll", "1000.5"},
         "The pre-roll must be a number from 0 to 1000, not \"1000.5\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        VTCommandRequest r = VTCommandLine::parse(c.args);
        EXPECT_EQ(r.action, Action::Error);
        EXPECT_EQ(r.error, c.error);
    }
}

TEST(CommandLine, OtherArgumentsAreLeftToTheMainWindow) {
    VTCommandRequest r = VTCommandLine::parse(Args{"/STARTDACS", "song.vtx"});
    EXPECT_EQ(r.action, Action::Window);
    EXPECT_EQ(r.windowArguments, (Args{"/STARTDACS", "song.vtx"}));
    EXPECT_EQ(VTCommandLine::parse(Args{}).action, Action::Window);
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string u = VTCommandLine::usage("vantrel");
    for (const char* word : {"--render", "--mode", "pattern", "soundin", "timed", "--preroll",
                             "--length", "--help", "--version"})
        EXPECT_NE(u.find(word), std::string::npos) << word;
}

}  // namespace
