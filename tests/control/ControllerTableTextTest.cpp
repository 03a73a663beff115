#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ControllerFixtures.h"
#include "control/VTBoolPropController.h"
#include "control/VTPresetPropController.h"
#include "control/VTRangePropController.h"

using vantrel::test::ControllerFixture;
using vantrel::test::MappedParams;

namespace {

constexpr int B0 = 0xB0, F0 = 0xF0, C0 = 0xC0, D0 = 0xD0, E0 = 0xE0;

struct ControllerText : ::testing::Test, ControllerFixture {
    std::string controllerText(VTPropertyController& c) {
        std::ostringstream out;
        c.writeController(out);
        return out.str();
    }
    // Reads the text into a fresh contraption of the same kind and gives back what it writes.
    std::string readBack(const std::string& text, bool* ok = nullptr) {
        auto copy = maker.create({});
        std::istringstream in(text);
        copy->controllers().read(in);
        if (ok) *ok = !in.fail();
        std::ostringstream out;
        copy->controllers().write(out);
        return out.str();
    }
};

TEST_F(ControllerText, ANewControllerWritesTheReservedValuesItsSourceAndAnEmptyList) {
    auto& c = controller(MappedParams::kCutoff);
    EXPECT_EQ(controllerText(c), "-1 -1 0 { } 0 0 30 -1 0 0 0 {  }");
    ASSERT_TRUE(c.primarySource().setSource(B0, 0, 7));
    EXPECT_EQ(controllerText(c), "-1 -1 0 { } 0 0 30 -1 176 0 7 {  }");

    auto& range = controller(MappedParams::kBand);
    ASSERT_TRUE(range.primarySource().setSource(F0, 2, 5));
    ASSERT_TRUE(range.secondarySource()->setSource(E0, 3, 0));
    EXPECT_EQ(controllerText(range), "-1 -1 0 { } 0 0 30 -1 240 2 5 224 3 0 {  }");
}

TEST_F(ControllerText, AnEmptyTableIsADotAndAStar) { EXPECT_EQ(tableText(), ". *"); }

TEST_F(ControllerText, APresetControllerAloneIsFollowedByAStar) {
    ASSERT_TRUE(presetController().primarySource().setSource(C0, 0, 0));
    EXPECT_EQ(tableText(), "-1 -1 0 { } 0 0 30 -1 192 0 0 {  }*");
}

TEST_F(ControllerText, EveryParameterHasItsSlotOnceOneControllerExists) {
    ASSERT_TRUE(controller(MappedParams::kSteps).primarySource().setSource(D0, 15, 0));
    EXPECT_EQ(tableText(), ". . -1 -1 0 { } 0 0 30 -1 208 15 0 {  } . . . . ");
}

TEST_F(ControllerText, ATableReadsBackToTheSameTable) {
    ASSERT_TRUE(presetController().primarySource().setSource(C0, 4, 0));
    ASSERT_TRUE(controller(MappedParams::kSwitch).primarySource().setSource(B0, 1, 64));
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(F0, 0, 31));
    auto& range = controller(MappedParams::kBand);
    ASSERT_TRUE(range.primarySource().setSource(B0, 0, 20));
    ASSERT_TRUE(range.secondarySource()->setSource(E0, 0, 0));
    static_cast<VTRangePropController&>(range).automationPoints = {{0.5, 0.25f, 0.75f},
                                                                   {1.5, 0.125f, 1.0f}};
    static_cast<VTPresetPropController&>(presetController()).automationPoints = {{2, 7}};
    const std::string text = tableText();

    auto copy = maker.create({});
    std::istringstream in(text);
    copy->controllers().read(in);
    ASSERT_FALSE(in.fail());
    std::ostringstream again;
    copy->controllers().write(again);
    EXPECT_EQ(again.str(), text);

    // The sources are listening again.
    auto& read = static_cast<MappedParams&>(copy->processor());
    server.dispatch(0xB1, 64, 127);
    EXPECT_TRUE(read.on.value());
    server.dispatch(0xB0, 20, 64);
    EXPECT_NEAR(read.band.low(), 0.4f, 1e-4);
    EXPECT_EQ(server.clientCount(VTMidiControlServer::controlKey(B0, 0, 20)), 2);
    EXPECT_EQ(copy->controllers().existingController(MappedParams::kSteps), nullptr);
}

// Texts as a document holds them: what they read back as.
TEST_F(ControllerText, StoredTablesReadBackAsWritten) {
    struct Case {
        const char* text;
        const char* written;
    } cases[] = {
        {". *", ". *"},
        {"  .   *  ", ". *"},
        {"-1 -1 0 { } 0 0 30 -1 192 0 0 {  }*", "-1 -1 0 { } 0 0 30 -1 192 0 0 {  }*"},
        // Reserved values are kept, all but the fifth.
        {"2.5 -3 0.125 { } 7 1 12 99 192 0 0 {  }*", "2.5 -3 0.125 { } 7 0 12 99 192 0 0 {  }*"},
        // Points lists with elements.
        {"-1 -1 0 { } 0 0 30 -1 192 0 0 { 0 3, 1.5 19 }*",
         "-1 -1 0 { } 0 0 30 -1 192 0 0 { 0 3, 1.5 19 }*"},
        {". -1 -1 0 { } 0 0 30 -1 176 0 1 { 0.25 1 } . . . . .",
         ". -1 -1 0 { } 0 0 30 -1 176 0 1 { 0.25 1 } . . . . . "},
        // An absent points list: its first character is taken and the list is empty.
        {". . . -1 -1 0 { } 0 0 30 -1 224 0 0 x . . .",
         ". . . -1 -1 0 { } 0 0 30 -1 224 0 0 {  } . . . "},
        // A source that names no controller reads as no source.
        {". . -1 -1 0 { } 0 0 30 -1 176 0 120 {  } . . . .",
         ". . -1 -1 0 { } 0 0 30 -1 0 0 0 {  } . . . . "},
    };
    for (const Case& c : cases) {
        bool ok = false;
        EXPECT_EQ(readBack(c.text, &ok), c.written) << c.text;
        EXPECT_TRUE(ok) << c.text;
    }
}

TEST_F(ControllerText, ReadingReplacesWhatTheTableHeld) {
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(B0, 0, 7));
    std::istringstream in(". *");
    table().read(in);
    EXPECT_FALSE(table().hasContent());
    EXPECT_EQ(table().existingPresetController(), nullptr);
    EXPECT_EQ(server.clientCount(VTMidiControlServer::controlKey(B0, 0, 7)), 0);
}

// Damaged texts stop the reading with the stream failed; nothing crashes, and what was read
// before the fault stays.
TEST_F(ControllerText, DamagedTextStopsTheReadingSafely) {
    const char* texts[] = {
        "", "   ", ".", "-1 -1 0 { } 0 0 30", "-1 -1 zero { } 0 0 30 -1 192 0 0 {  }*",
        "-1 -1 0 { } 0 0 30 -1 192 0", "-1 -1 0 { } 0 0 30 -1 192 0 0 { 1 2",
        "-1 -1 0 { } 0 0 30 -1 192 0 0 { 1 2 3 }*", "-1 -1 0 { } 0 0 30 -1 192 0 0 { 1 }*",
        "-1 -1 0 { } 0 0 30 -1 192 0 0 {  }",
        "-1 -1 0 { } 0 0 30 -1 192 0 99999999999999999999 {  }*", ". . .",
        // A controller where the parameter can have none (min equals max).
        ". . . . . -1 -1 0 { } 0 0 30 -1 176 0 1 {  } .",
        // ... or a text parameter.
        ". . . . . . -1 -1 0 { } 0 0 30 -1 176 0 1 {  }",
        ". . . . -1 -1 0 { } 0 0 30 -1 176 0 1 {  }",  // a range needs two sources
    };
    for (const char* text : texts) {
        auto copy = maker.create({});
        std::istringstream in(text);
        copy->controllers().read(in);
        EXPECT_TRUE(in.fail()) << '"' << text << '"';
        std::ostringstream out;
        copy->controllers().write(out);  // whatever was kept still writes
    }
}

TEST_F(ControllerText, DamagedTextKeepsWhatWasReadBeforeTheFault) {
    auto copy = maker.create({});
    std::istringstream in("-1 -1 0 { } 0 0 30 -1 192 5 0 {  } . -1 -1 0 { } 0 0 30 -1 176 0 oops");
    copy->controllers().read(in);
    EXPECT_TRUE(in.fail());
    auto* preset = VTMidiPropertyController::from(copy->controllers().existingPresetController());
    ASSERT_NE(preset, nullptr);
    EXPECT_EQ(preset->primarySource().getSource(), (VTMidiSource{C0, 5, 0}));
}

}  // namespace
