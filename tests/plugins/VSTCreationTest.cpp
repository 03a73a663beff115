#include <gtest/gtest.h>

#include <fenv.h>

#include <string>
#include <vector>

#include "PluginFixtures.h"
#include "contraptions/VTContraptionFactory.h"
#include "library/plugins/VSTHostCallback.h"
#include "signal/SGConstants.h"
#include "support/RecordingMessageBox.h"

using namespace vantrel::test;
using VSTABI::fourCharacters;

namespace {

const std::string kCommonText = "An error occured while creating a VST Plugin contraption.";

void expectCommonMessage(const RecordingMessageBox::Message& m) {
    EXPECT_EQ(m.text, kCommonText);
    EXPECT_EQ(m.caption, "Unsupported VST Plugin");
    EXPECT_EQ(m.buttons, VTMessageButtons::Ok);
    EXPECT_EQ(m.icon, VTMessageIcon::Warning);
}

}  // namespace

TEST(VSTCreation, OpensThePluginAndBuildsAContraptionOfItsShape) {
    FixtureLibrary lib("Replacing");
    ASSERT_TRUE(lib.loaded());
    RecordingMessageBox box;
    VSTContraptionMaker maker("Replacing", fixturePath("Replacing"));
    EXPECT_FALSE(maker.isLoaded());
    auto c = maker.create({});
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(box.messages.empty());
    EXPECT_TRUE(maker.isLoaded());
    EXPECT_EQ(c->name(), "Replacing_1");
    EXPECT_EQ(c->makerName(), "Replacing");
    EXPECT_EQ(c->inletCount(), 1);
    EXPECT_EQ(c->outletCount(), 1);
    EXPECT_EQ(VTContraptionFactory::instance().findContraption("Replacing_1"), c.get());

    // identify, then open, sample rate, block size, program 0, resume: in that order.
    const FixtureProbe& p = lib.probe();
    struct Call {
        std::int32_t opcode;
        std::intptr_t value;
    } expected[] = {{VSTABI::effIdentify, 0},      {VSTABI::effOpen, 0},
                    {VSTABI::effSetSampleRate, 0}, {VSTABI::effSetBlockSize, 256},
                    {VSTABI::effSetProgram, 0},    {VSTABI::effMainsChanged, 1}};
    ASSERT_GE(p.callCount, 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(p.opcodes[k], expected[k].opcode) << "call " << k;
        EXPECT_EQ(p.values[k], expected[k].value) << "call " << k;
    }
    EXPECT_EQ(p.floats[2], 44100.0f);
    // The entry point saw id 0; once it returned the host knew the plug-in's own id.
    EXPECT_EQ(p.versionAnswer, 2);
    EXPECT_EQ(p.currentIdDuringEntry, 0);
    EXPECT_EQ(p.currentIdAfterEntry, 0x46697874);
    // The host's field on the descriptor now leads back to the processor.
    EXPECT_EQ(VSTSignalProcessor::fromEffect(p.lastEffect), &vstProcessor(*c));
}

TEST(VSTCreation, EveryContraptionIsItsOwnInstanceAndIsClosedWithIt) {
    FixtureLibrary lib("Replacing");
    RecordingMessageBox box;
    VSTContraptionMaker maker("Replacing", fixturePath("Replacing"));
    auto first = maker.create({});
    auto second = maker.create({});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name(), "Replacing_2");
    EXPECT_EQ(lib.probe().entryCalls, 2);
    EXPECT_EQ(lib.probe().liveInstances, 2);
    EXPECT_NE(&vstProcessor(*first).effect(), &vstProcessor(*second).effect());
    // Both share the one description built at the first creation.
    EXPECT_EQ(lib.count(VSTABI::effGetParamName), 5);
    int callsBefore = lib.probe().callCount;
    first.reset();
    EXPECT_EQ(lib.probe().liveInstances, 1);
    // Suspended, then closed.
    ASSERT_EQ(lib.probe().callCount, callsBefore + 2);
    EXPECT_EQ(lib.probe().opcodes[callsBefore], VSTABI::effMainsChanged);
    EXPECT_EQ(lib.probe().values[callsBefore], 0);
    EXPECT_EQ(lib.probe().opcodes[callsBefore + 1], VSTABI::effClose);
    EXPECT_TRUE(box.messages.empty());
}

TEST(VSTCreation, EntryPointsAreTriedInOrder) {
    struct Case {
        const char* variant;
        std::int32_t id;  // tells which entry point made the descriptor
    } cases[] = {
        {"AllEntries", 0x46697874},  // VSTPluginMain
        {"MainAndCapitalMain", fourCharacters('m', 'a', 'i', 'n')},
        {"Accumulating", fourCharacters('m', 'a', 'i', 'n')},
        {"Stereo", fourCharacters('M', 'a', 'i', 'n')},
    };
    RecordingMessageBox box;
    for (const Case& c : cases) {
        VSTContraptionMaker maker(c.variant, fixturePath(c.variant));
        auto contraption = maker.create({});
        ASSERT_NE(contraption, nullptr) << c.variant;
        EXPECT_EQ(vstProcessor(*contraption).effect().uniqueID, c.id) << c.variant;
    }
    EXPECT_TRUE(box.messages.empty());
}

TEST(VSTCreation, APluginWithTwoInputsAndTwoOutputsGetsTwoInletsAndTwoOutlets) {
    RecordingMessageBox box;
    VSTContraptionMaker maker("Stereo", fixturePath("Stereo"));
    auto c = maker.create({});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->inletCount(), 2);
    EXPECT_EQ(c->outletCount(), 2);
}

TEST(VSTCreation, EachFailedCheckShowsItsMessageThenTheCommonOneAndCreatesNothing) {
    struct Case {
        const char* variant;
        std::string text;
        std::string caption;
        bool closed;  // a descriptor that failed a check is closed
    } cases[] = {
        {"Missing", fixturePath("Missing"), "bad dll handle", false},
        {"NoEntry", "main didn't return a ptr", "", false},
        {"NullEntry", "no dispatcher", "", false},
        {"NoDispatcher", "no dispatcher", "", false},
        {"BadMagic", "bad magic", "", true},
        {"BadId", "bad id", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        FixtureLibrary lib(c.variant);
        RecordingMessageBox box;
        VSTContraptionMaker maker(c.variant, fixturePath(c.variant));
        int contraptions = VTContraptionFactory::instance().contraptionCount();
        // Twice: a failure is not remembered, the next attempt goes through the steps again.
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(maker.create({}), nullptr);
            ASSERT_EQ(box.messages.size(), 2u * (attempt + 1));
            const auto& step = box.messages[2 * attempt];
            EXPECT_EQ(step.text, c.text);
            EXPECT_EQ(step.caption, c.caption);
            EXPECT_EQ(step.buttons, VTMessageButtons::Ok);
            expectCommonMessage(box.messages[2 * attempt + 1]);
        }
        EXPECT_EQ(VTContraptionFactory::instance().contraptionCount(), contraptions);
        if (lib.loaded()) {
            EXPECT_EQ(lib.probe().entryCalls, c.text == "main didn't return a ptr" ? 0 : 2);
            EXPECT_EQ(lib.count(VSTABI::effClose), c.closed ? 2 : 0);
            EXPECT_EQ(lib.count(VSTABI::effOpen), 0);
        }
        // No instance number was used up by the failures.
        EXPECT_TRUE(maker.numberer().isFree(1));
    }
}

TEST(VSTCreation, ADescriptorHandedOutAgainIsRefusedAndTheFirstContraptionKeepsIt) {
    FixtureLibrary lib("Singleton");
    RecordingMessageBox box;
    VSTContraptionMaker maker("Singleton", fixturePath("Singleton"));
    auto first = maker.create({});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(maker.create({}), nullptr);
    ASSERT_EQ(box.messages.size(), 1u);
    expectCommonMessage(box.messages[0]);
    EXPECT_EQ(lib.count(VSTABI::effClose), 0) << "the live instance stays open";
    EXPECT_EQ(lib.count(VSTABI::effOpen), 1);
    // Automation still finds the first contraption.
    lib.automate(vstProcessor(*first).effect(), 1, 0.625f);
    EXPECT_DOUBLE_EQ(vstProcessor(*first).parameter(1).value(), 0.625);
    EXPECT_TRUE(maker.numberer().isFree(2));
}

TEST(VSTCreation, CreationLeavesEveryFloatingPointExceptionMasked) {
    RecordingMessageBox box;
    feenableexcept(FE_DIVBYZERO | FE_INVALID);
    VSTContraptionMaker maker("Replacing", fixturePath("Replacing"));
    auto c = maker.create({});
    EXPECT_EQ(fegetexcept(), 0);
}

TEST(VSTHostCallback, AnswersAsAPlainHostAndZeroToEverythingElse) {
    using VSTHostCallback::dispatch;
    VSTHostCallback::setCurrentPluginId(0x12345678);
    struct Case {
        std::int32_t opcode;
        std::intptr_t answer;
    } cases[] = {
        {VSTABI::audioMasterAutomate, 0},
        {VSTABI::audioMasterVersion, 2},
        {VSTABI::audioMasterCurrentId, 0x12345678},
        {VSTABI::audioMasterIdle, 0},
        {VSTABI::audioMasterPinConnected, 1},
        {VSTABI::audioMasterGetTime, 0},  // no time information: a null record
        {5, 0},
        {6, 0},
        {16, 0},
        {17, 0},
        {23, 0},
        {37, 0},
        {-1, 0},
        {100000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dispatch(nullptr, c.opcode, 0, 0, nullptr, 0.5f), c.answer)
            << "opcode " << c.opcode;
    // A descriptor the host never wrapped carries no processor.
    VSTABI::Effect stranger{};
    EXPECT_EQ(dispatch(&stranger, VSTABI::audioMasterAutomate, 0, 0, nullptr, 0.5f), 0);
    VSTHostCallback::setCurrentPluginId(0);
}
