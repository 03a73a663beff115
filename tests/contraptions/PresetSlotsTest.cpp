#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "ContraptionFixtures.h"
#include "platform/KDMemoryClipboard.h"

using vantrel::test::ModifiedCounter;
using vantrel::test::ParamsMaker;
using vantrel::test::ThreeParams;

namespace {

std::string presetText(const VTContraption& c, int k) {
    std::ostringstream out;
    c.preset(k).write(out);
    return out.str();
}

ThreeParams& params(VTContraption& c) { return static_cast<ThreeParams&>(c.processor()); }

// A test generator at Amplitude 0.5, Frequency 440, Waveform 1, with a clipboard of its own.
struct PresetSlots : ::testing::Test {
    PresetSlots() { KDTextClipboard::install(&clipboard); }
    ~PresetSlots() override { KDTextClipboard::install(nullptr); }

    std::unique_ptr<VTContraption> make(ParamsMaker& maker) {
        auto c = maker.create({});
        params(*c).amplitude.setValue(0.5);
        params(*c).frequency.setValue(440.0);
        params(*c).waveform.setValue(1);
        return c;
    }

    KDMemoryClipboard clipboard;
    ParamsMaker testGen{"TestGen", "Signal Generators", 1002};
    ParamsMaker flanger{"Flanger", "Effects", 1010};
    std::unique_ptr<VTContraption> gen = make(testGen);
    ModifiedCounter modified;
};

TEST_F(PresetSlots, StoreMakesTheSlotCurrentAndHoldsTheValues) {
    gen->storePreset(0);
    EXPECT_EQ(gen->currentPreset(), 0);
    EXPECT_EQ(presetText(*gen, 0), "{ 0.5, 440, 1 }");
    EXPECT_EQ(modified.count, 1);
}

TEST_F(PresetSlots, RecallingTheCurrentSlotAgainDoesNothingUntilAnEditForgetsIt) {
    gen->storePreset(0);
    params(*gen).frequency.setValue(1000.0);  // as a MIDI controller would: no edit in the window
    modified.count = 0;
    gen->recallPreset(0);
    EXPECT_EQ(params(*gen).frequency.value(), 1000.0);
    EXPECT_EQ(modified.count, 0);

    gen->forgetCurrentPreset();  // the editor window's edit
    EXPECT_EQ(gen->currentPreset(), -1);
    gen->recallPreset(0);
    EXPECT_EQ(params(*gen).frequency.value(), 440.0);
    EXPECT_EQ(gen->currentPreset(), 0);
}

TEST_F(PresetSlots, RecallingAnEmptySlotKeepsTheValuesButMakesItCurrent) {
    params(*gen).frequency.setValue(880.0);
    gen->recallPreset(5);
    EXPECT_EQ(params(*gen).frequency.value(), 880.0);
    EXPECT_EQ(gen->currentPreset(), 5);
    EXPECT_EQ(modified.count, 1);
}

TEST_F(PresetSlots, ClearForgetsOnlyTheCurrentSlot) {
    gen->storePreset(0);
    gen->storePreset(1);
    gen->clearPreset(0);
    EXPECT_FALSE(gen->isPresetSet(0));
    EXPECT_EQ(gen->currentPreset(), 1);
    gen->clearPreset(1);
    EXPECT_EQ(gen->currentPreset(), -1);
}

TEST_F(PresetSlots, CopyPutsThePresetTextOnTheClipboardAndChangesNothing) {
    gen->storePreset(0);
    modified.count = 0;
    gen->copyPreset(0);
    EXPECT_EQ(clipboard.text(), "preset: TestGen { 0.5, 440, 1 }");
    EXPECT_EQ(gen->currentPreset(), 0);
    EXPECT_TRUE(gen->isPresetSet(0));
    EXPECT_EQ(modified.count, 0);

    gen->copyPreset(7);
    EXPECT_EQ(clipboard.text(), "preset: TestGen {  }");
}

TEST_F(PresetSlots, CutCopiesThenClears) {
    gen->storePreset(2);
    modified.count = 0;
    gen->cutPreset(2);
    EXPECT_EQ(clipboard.text(), "preset: TestGen { 0.5, 440, 1 }");
    EXPECT_FALSE(gen->isPresetSet(2));
    EXPECT_EQ(gen->currentPreset(), -1);
    EXPECT_GE(modified.count, 1);
}

TEST_F(PresetSlots, APresetPastesIntoAnotherOfTheSameKindOnly) {
    gen->storePreset(0);
    gen->copyPreset(0);

    auto other = testGen.create({});
    EXPECT_TRUE(other->clipboardHasPreset());
    other->pastePreset(4);
    EXPECT_EQ(presetText(*other, 4), "{ 0.5, 440, 1 }");

    auto fx = flanger.create({});
    EXPECT_FALSE(fx->clipboardHasPreset());
    modified.count = 0;
    fx->pastePreset(4);
    EXPECT_FALSE(fx->isPresetSet(4));
    EXPECT_EQ(modified.count, 0);
}

TEST_F(PresetSlots, PasteIntoTheCurrentSlotForgetsItAndMarksTheDocument) {
    gen->storePreset(3);
    clipboard.setText("preset: TestGen { 0.25, 300, 2 }");
    modified.count = 0;
    gen->pastePreset(3);
    EXPECT_EQ(presetText(*gen, 3), "{ 0.25, 300, 2 }");
    EXPECT_EQ(gen->currentPreset(), -1);
    EXPECT_EQ(modified.count, 1);
    // Pasting only fills the slot; the parameters keep their values.
    EXPECT_EQ(params(*gen).frequency.value(), 440.0);
}

// The clipboard test, on whole texts: the text, the maker's name, whether it passes.
TEST(PresetClipboardText, PassesWithThePrefixAndTheMakersNameAtOffsetEight) {
    struct Case {
        const char* text;
        const char* maker;
        bool passes;
    } cases[] = {
        {"preset: TestGen { 0.5, 440, 1 }", "TestGen", true},
        {"preset: TestGen ", "TestGen", true},           // one character beyond the name
        {"preset: TestGen", "TestGen", false},           // exactly the prefix and the name
        {"preset:-TestGen { }", "TestGen", true},        // offset 7 is not examined
        {"preset: TestGenerator { }", "TestGen", true},  // the name need only begin there
        {"preset: Flanger { }", "TestGen", false},
        {"Preset: TestGen { }", "TestGen", false},
        {"preset:TestGen { }", "TestGen", false},
        {"preset", "TestGen", false},
        {"", "TestGen", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTContraption::isPresetText(c.text, c.maker), c.passes) << c.text;
}

TEST_F(PresetSlots, TheTextAfterTheFirstSpaceBeyondTheNameIsThePreset) {
    clipboard.setText("preset: TestGenXYZ { 0.25, 300, 2 }");
    EXPECT_TRUE(gen->clipboardHasPreset());
    gen->pastePreset(0);
    EXPECT_EQ(presetText(*gen, 0), "{ 0.25, 300, 2 }");
}

TEST_F(PresetSlots, OnlyTheFirst62CharactersDecideWhetherPasteIsOffered) {
    const std::string longName(60, 'L');
    ParamsMaker longMaker{longName, "Effects", 1};
    auto c = longMaker.create({});
    const std::string text = "preset: " + longName + " { 0.25, 300, 2 }";
    ASSERT_TRUE(VTContraption::isPresetText(text, longName));
    clipboard.setText(text);
    EXPECT_FALSE(c->clipboardHasPreset());
    // Paste itself judges the whole text.
    c->pastePreset(0);
    EXPECT_EQ(presetText(*c, 0), "{ 0.25, 300, 2 }");

    // A name that fits: 62 characters hold the prefix, the name and one more.
    const std::string fitting(53, 'F');
    ParamsMaker fittingMaker{fitting, "Effects", 1};
    auto d = fittingMaker.create({});
    clipboard.setText("preset: " + fitting + " { 0.25, 300, 2 }");
    EXPECT_TRUE(d->clipboardHasPreset());
}

// Clipboard texts that pass the test but hold no readable preset leave the slot as it was;
// the paste still counts as a change of the document and of the current slot.
TEST_F(PresetSlots, AnUnreadablePresetLeavesTheSlotAsItWas) {
    const char* texts[] = {
        "preset: TestGenNoSpace",
        "preset: TestGen ",
        "preset: TestGen { 0.25, oops, 2 }",
        "preset: TestGen { 0.25, 300",
        "preset: TestGen garbage",
    };
    for (const char* text : texts) {
        gen->storePreset(1);
        clipboard.setText(text);
        modified.count = 0;
        gen->pastePreset(1);
        EXPECT_EQ(presetText(*gen, 1), "{ 0.5, 440, 1 }") << text;
        EXPECT_EQ(gen->currentPreset(), -1) << text;
        EXPECT_EQ(modified.count, 1) << text;

        gen->pastePreset(2);
        EXPECT_FALSE(gen->isPresetSet(2)) << text;
    }
}

TEST_F(PresetSlots, PastingAnEmptyPresetEmptiesTheSlot) {
    gen->storePreset(1);
    clipboard.setText("preset: TestGen {  }");
    gen->pastePreset(1);
    EXPECT_FALSE(gen->isPresetSet(1));
}

TEST_F(PresetSlots, AClipboardWithoutTextChangesNothing) {
    gen->storePreset(1);
    clipboard.clear();
    EXPECT_FALSE(gen->clipboardHasPreset());
    modified.count = 0;
    gen->pastePreset(1);
    EXPECT_EQ(gen->currentPreset(), 1);
    EXPECT_EQ(modified.count, 0);
}

TEST_F(PresetSlots, SlotsOutsideTheTwentyAreLeftAlone) {
    gen->storePreset(0);
    clipboard.setText("untouched");
    modified.count = 0;
    for (int k : {-1, 20, 1000}) {
        EXPECT_FALSE(gen->isPresetSet(k));
        gen->storePreset(k);
        gen->recallPreset(k);
        gen->clearPreset(k);
        gen->copyPreset(k);
        gen->cutPreset(k);
        gen->pastePreset(k);
    }
    EXPECT_EQ(clipboard.text(), "untouched");
    EXPECT_EQ(gen->currentPreset(), 0);
    EXPECT_EQ(modified.count, 0);
}

TEST_F(PresetSlots, TheStoredRecallLeavesEmptySlotsAndTheCurrentOneAlone) {
    gen->storePreset(2);
    params(*gen).frequency.setValue(900.0);
    gen->recallStoredPreset(2);  // current: nothing
    EXPECT_EQ(params(*gen).frequency.value(), 900.0);
    gen->recallStoredPreset(6);  // empty: nothing, and it does not become current
    EXPECT_EQ(gen->currentPreset(), 2);
    gen->forgetCurrentPreset();
    gen->recallStoredPreset(2);
    EXPECT_EQ(params(*gen).frequency.value(), 440.0);
    EXPECT_EQ(gen->currentPreset(), 2);
}

// Program changes recall on the MIDI thread while the user stores, clears and pastes: the two
// never meet inside a slot (the sanitizer build would see it).
TEST_F(PresetSlots, RecallsOnAnotherThreadMeetSlotChangesSafely) {
    VTContraptionFactory::instance().setModifiedListener(nullptr);
    for (int k = 0; k < 4; ++k) gen->storePreset(k);
    clipboard.setText("preset: TestGen { 0.25, 300, 2 }");
    std::atomic<bool> stop{false};
    std::thread midi([&] {
        for (int n = 0; !stop.load(); ++n) gen->recallStoredPreset(n % 4);
    });
    for (int round = 0; round < 2000; ++round) {
        const int k = round % 4;
        gen->clearPreset(k);
        gen->storePreset(k);
        gen->pastePreset(k);
    }
    stop.store(true);
    midi.join();
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(gen->isPresetSet(k));
}

}  // namespace
