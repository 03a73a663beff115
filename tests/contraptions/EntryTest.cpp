#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ContraptionFixtures.h"
#include "contraptions/VTNameToken.h"

using vantrel::test::CountingParams;
using vantrel::test::FakeEditorFactory;
using vantrel::test::ParamsMaker;
using vantrel::test::registeredParamsMaker;

namespace {

std::string entryOf(const VTContraption& c) {
    std::ostringstream out;
    c.writeEntry(out);
    return out.str();
}

std::string emptyPresetList() {
    std::string list = "{ ";
    for (int k = 0; k < 20; ++k) list += k ? ", {  }" : "{  }";
    return list + " }";
}

CountingParams& paramsOf(VTContraption& c) { return static_cast<CountingParams&>(c.processor()); }

struct Entries : ::testing::Test {
    ParamsMaker maker{"TestGen", "Signal Generators", 1002};
};

TEST_F(Entries, ANewContraptionWritesTheDocumentedLine) {
    auto c = maker.create({});
    c->setNodePosition(40, 60);
    EXPECT_EQ(entryOf(*c), "TestGen\tTestGen_1\t{ 0, 440, 1 }\t" + emptyPresetList() +
                               "{ }{ 40 60 F Z Z 0 0 Z Z Z Z  }\t");
}

TEST_F(Entries, PresetsAndTheEditorPositionAreWrittenInPlace) {
    auto c = maker.create({});
    paramsOf(*c).amplitude.setValue(0.5);
    c->storePreset(0);
    paramsOf(*c).waveform.setValue(0);
    c->storePreset(19);
    c->setNodePosition(-10, 7);
    c->formState().setEditorPosition(250, 130);  // left, top
    std::string presets = "{ { 0.5, 440, 1 }";
    for (int k = 1; k < 19; ++k) presets += ", {  }";
    presets += ", { 0.5, 440, 0 } }";
    EXPECT_EQ(entryOf(*c), "TestGen\tTestGen_1\t{ 0.5, 440, 0 }\t" + presets +
                               "{ }{ -10 7 F Z Z 130 250 Z Z Z Z  }\t")
        << "the editor's top comes before its left";
}

TEST_F(Entries, WhatIsWrittenReadsBackExactly) {
    auto a = maker.create({});
    paramsOf(*a).amplitude.setValue(0.25);
    paramsOf(*a).frequency.setValue(1234.5);
    a->storePreset(3);
    paramsOf(*a).waveform.setValue(0);
    a->storePreset(7);
    a->setNodePosition(400, 320);
    a->formState().setEditorPosition(-20, 90);
    std::string written = entryOf(*a);

    // The reader has consumed the maker and instance names before the entry reads the rest.
    std::istringstream in(written);
    std::string makerName, instanceName;
    ASSERT_TRUE(VTNameToken::read(in, makerName));
    ASSERT_TRUE(VTNameToken::read(in, instanceName));
    auto b = maker.create(instanceName);
    EXPECT_EQ(b->name(), "TestGen_2") << "TestGen_1 is still alive";
    b->storePreset(12);  // slots the entry gives as empty become empty
    b->readEntry(in);
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(b->currentPreset(), -1);
    EXPECT_EQ(paramsOf(*b).resets, 1) << "the running state follows the loaded values";
    EXPECT_EQ(paramsOf(*b).frequency.value(), 1234.5);
    EXPECT_FALSE(b->isPresetSet(12));
    EXPECT_TRUE(b->isPresetSet(3));
    EXPECT_EQ(b->nodePosition(), std::make_pair(400, 320));
    EXPECT_EQ(b->formState().editorLeft(), -20);
    EXPECT_EQ(b->formState().editorTop(), 90);
    std::string again = entryOf(*b);
    EXPECT_EQ(again.substr(again.find('\t', 8)), written.substr(written.find('\t', 8)));
}

TEST_F(Entries, AnEntryThatSaysTOpensTheEditorWhereItWas) {
    FakeEditorFactory editors;
    auto c = maker.create({});
    std::istringstream in("{ 0, 440, 1 }\t" + emptyPresetList() +
                          "{ }{ 40 60 T Z Z 110 220 Z Z Z Z  }\t");
    c->readEntry(in);
    ASSERT_TRUE(c->formState().hasEditorWindow());
    EXPECT_EQ(editors.for_, std::vector<VTContraption*>{c.get()});
    EXPECT_EQ(editors.log.openedLeft, 220);
    EXPECT_EQ(editors.log.openedTop, 110);
    EXPECT_EQ(editors.log.caption, "TestGen_1");
    EXPECT_EQ(entryOf(*c).substr(entryOf(*c).rfind('{')), "{ 40 60 T Z Z 110 220 Z Z Z Z  }\t");
}

TEST_F(Entries, AnEmptyPresetListLeavesTheSlotsAlone) {
    auto c = maker.create({});
    c->storePreset(2);
    std::istringstream in("{ 0.75, 440, 1 }\t{ }{ }{ 1 2 F Z Z 3 4 Z Z Z Z  }\t");
    c->readEntry(in);
    EXPECT_FALSE(in.fail());
    EXPECT_TRUE(c->isPresetSet(2));
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_EQ(paramsOf(*c).amplitude.value(), 0.75);
    EXPECT_EQ(c->nodePosition(), std::make_pair(1, 2));
}

// Reads document-like lines the way the document reader does: maker and instance names, then
// the entry when a contraption came back; a line that makes nothing is skipped.
std::vector<std::unique_ptr<VTContraption>> readLines(const std::string& text) {
    std::vector<std::unique_ptr<VTContraption>> made;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string makerName, instanceName;
        if (!VTNameToken::read(in, makerName) || !VTNameToken::read(in, instanceName)) continue;
        auto c = VTContraptionFactory::instance().createContraption(makerName, instanceName);
        if (!c) continue;
        c->readEntry(in);
        made.push_back(std::move(c));
    }
    return made;
}

TEST(EntryLines, AnUnknownMakerCreatesNothingAndTheNextEntryStillReads) {
    registeredParamsMaker();
    std::string tail = std::string("\t").append(emptyPresetList());
    tail.append("{ }{ 5 6 F Z Z 0 0 Z Z Z Z  }\t\n");
    std::string text = std::string("\tNoSuchKind\tNoSuchKind_1\t{ 1, 2, 3 }").append(tail);
    text.append("\tParamsKind\tParamsKind_9\t{ 0.5, 300, 0 }").append(tail);
    auto made = readLines(text);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0]->name(), "ParamsKind_9");
    EXPECT_EQ(paramsOf(*made[0]).frequency.value(), 300);
    EXPECT_EQ(made[0]->nodePosition(), std::make_pair(5, 6));
}

TEST(EntryLines, TwoEntriesWithTheSameNameGetDistinctNames) {
    registeredParamsMaker();
    std::string entry =
        "\tParamsKind\tParamsKind_7\t{ 0, 440, 1 }\t{ }{ }{ 0 0 F Z Z 0 0 Z Z Z Z  }\t\n";
    auto made = readLines(entry + entry);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->name(), "ParamsKind_7");
    EXPECT_EQ(made[1]->name(), "ParamsKind_1");
}

TEST(NameTokens, TakeEverythingUpToWhitespaceAndRefuseOverlongOnes) {
    std::istringstream in("  \tTestGen\tTestGen_1 rest");
    std::string token;
    ASSERT_TRUE(VTNameToken::read(in, token));
    EXPECT_EQ(token, "TestGen");
    EXPECT_EQ(in.peek(), '\t') << "the whitespace stays in the stream";
    ASSERT_TRUE(VTNameToken::read(in, token));
    EXPECT_EQ(token, "TestGen_1");

    std::string longest(199, 'x');
    std::istringstream fits(longest + " next");
    ASSERT_TRUE(VTNameToken::read(fits, token));
    EXPECT_EQ(token, longest);

    std::istringstream overlong(longest + "y next");
    EXPECT_FALSE(VTNameToken::read(overlong, token));
    EXPECT_TRUE(token.empty());
    EXPECT_TRUE(overlong.fail());

    std::istringstream blank("   \t ");
    EXPECT_FALSE(VTNameToken::read(blank, token));
}

// Damaged entries: every prefix of a good entry, and entries with a fault in each part. None
// may crash or read past its text; what stands before the fault is taken.
TEST_F(Entries, MalformedEntriesNeverCrashAndKeepWhatWasReadBeforeTheFault) {
    auto source = maker.create({});
    paramsOf(*source).amplitude.setValue(0.5);
    source->storePreset(0);
    source->setNodePosition(12, 34);
    std::string good = entryOf(*source);
    good = good.substr(good.find('\t', good.find('\t') + 1) + 1);  // after the two names
    {
        FakeEditorFactory editors;
        for (std::size_t n = 0; n <= good.size(); ++n) {
            auto c = maker.create({});
            std::istringstream in(good.substr(0, n));
            c->readEntry(in);
            EXPECT_EQ(c->currentPreset(), -1);
        }
    }

    struct Case {
        const char* text;
        double amplitude;  // read before the fault
        bool presetZero;   // slot 0 ends up set
        int nodeX;         // 0 when the form-state block is not reached
    } cases[] = {
        {"garbage", 0.0, false, 0},
        {"{ 0.5, x, 1 }\t{ }{ }{ 9 9 F Z Z 0 0 Z Z Z Z  }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t[ {  } ]{ }{ 9 9 F Z Z 0 0 Z Z Z Z  }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t{ { 0.25 }; {  } }{ }{ 9 9 F Z Z 0 0 Z Z Z Z  }", 0.5, true, 0},
        {"{ 0.5, 440, 1 }\t{ }X{ 9 9 F Z Z 0 0 Z Z Z Z  }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t{ }{ }{ 9 Q F Z Z 0 0 Z Z Z Z  }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t{ }{ }{ 9 99999999999 F Z Z 0 0 Z Z Z Z  }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t{ }{ }{ 9 9 F Z Z 0 }", 0.5, false, 0},
        {"{ 0.5, 440, 1 }\t{ { 0.25 } }{ }{ 9 8 F Z Z 7 6 Z Z Z Z  }", 0.5, true, 9},
        {"{ 0.5, 440, 1 }\t{ }{ anything }{ 9 8 F Z Z 7 6 }", 0.5, false, 9},
    };
    for (const Case& k : cases) {
        auto c = maker.create({});
        std::istringstream in(k.text);
        c->readEntry(in);
        EXPECT_EQ(paramsOf(*c).amplitude.value(), k.amplitude) << k.text;
        EXPECT_EQ(c->isPresetSet(0), k.presetZero) << k.text;
        EXPECT_EQ(c->nodePosition().first, k.nodeX) << k.text;
    }
}

}  // namespace
