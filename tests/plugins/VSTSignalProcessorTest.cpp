#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PluginFixtures.h"
#include "library/plugins/VSTPluginText.h"
#include "signal/SGConstants.h"
#include "signal/SGSignal.h"
#include "support/AudioThreadGuard.h"
#include "support/RecordingMessageBox.h"

using namespace vantrel::test;

namespace {

// A test plug-in made into a contraption, with its library held open on the test's side.
struct Hosted {
    explicit Hosted(const char* variant)
        : lib(variant), maker(variant, fixturePath(variant)), contraption(maker.create({})) {}

    VSTSignalProcessor& processor() { return vstProcessor(*contraption); }
    SGDoubleProperty& parameter(int i) { return processor().parameter(i); }

    FixtureLibrary lib;
    RecordingMessageBox box;
    VSTContraptionMaker maker;
    std::unique_ptr<VTContraption> contraption;
};

SGSignal ramp(float start, float step) {
    SGSignal s;
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) s[i] = start + step * static_cast<float>(i);
    return s;
}

}  // namespace

TEST(VSTParameters, NamesAreTrimmedAndTheFirstOfEqualNamesKeepsTheMapping) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    SGPropertyTable& table = h.processor().propertyTable();
    ASSERT_EQ(table.count(), 5);
    const char* names[] = {"Cutoff", "Gain", "Offset", "Gain", "AVeryLon"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.info(i).name, names[i]) << i;
        EXPECT_EQ(table.info(i).minimum, 0.0);
        EXPECT_EQ(table.info(i).maximum, 1.0);
        EXPECT_NE(table.info(i).units, nullptr);
    }
    EXPECT_EQ(table.indexOf("Cutoff"), 0);
    EXPECT_EQ(table.indexOf("Gain"), 1);
    EXPECT_EQ(table.indexOf("Cutoff Frequency"), -1);
    EXPECT_EQ(&table.findProperty("Offset"), &table.property(2));
}

TEST(VSTParameters, TrimmingSkipsLeadingBlanksCutsAtTheLimitAndDropsTrailingBlanks) {
    struct Case {
        const char* text;
        std::size_t limit;
        const char* trimmed;
    } cases[] = {
        {"  Cutoff Frequency", 8, "Cutoff"},
        {"Gain    ", 8, "Gain"},
        {"Resonance", 8, "Resonanc"},
        {"", 8, ""},
        {"        ", 8, ""},
        {"a b", 8, "a b"},
        {"12.5000  ", 9, "12.5000"},
        {"   dB", 8, "dB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VSTPluginText::trimmed(c.text, c.limit), c.trimmed) << '"' << c.text << '"';
    // The text ends at its zero byte even within the limit.
    EXPECT_EQ(VSTPluginText::trimmed(std::string_view("ab\0cd", 5), 8), "ab");
}

TEST(VSTParameters, PropertiesStartAtThePluginsValuesUnchanged) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    const double initial[] = {0.25, 0.5, 0.0, 0.75, 0.125};  // the last one automated while opening
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(h.parameter(i).value(), initial[i]) << i;
        EXPECT_FALSE(h.parameter(i).isChanged()) << i;
    }
    std::ostringstream text;
    h.processor().writeProperties(text);
    EXPECT_EQ(text.str(), "{ 0.25, 0.5, 0, 0.75, 0.125 }");
}

TEST(VSTParameters, AChangedPropertyReachesThePluginAtTheNextBlockOnly) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    h.processor().process();
    EXPECT_EQ(h.lib.probe().setParameterCalls, 0) << "nothing changed yet";

    h.parameter(1).setValue(0.75);
    h.parameter(2).setValue(0.5);
    EXPECT_EQ(h.lib.probe().setParameterCalls, 0) << "never pushed outside a block";
    SGSignal in = ramp(0.0f, 0.001f);
    h.processor().inlet(0).signal = &in;
    h.processor().process();
    EXPECT_EQ(h.lib.probe().setParameterCalls, 2);
    EXPECT_FALSE(h.parameter(1).isChanged());
    // The block already uses the new values: in * 2 * 0.75 + 0.5.
    for (std::uint32_t i = 0; i < SGBlockSize; i += 37)
        EXPECT_FLOAT_EQ(h.processor().outletSignal(0)[i], in[i] * 1.5f + 0.5f);
    h.processor().process();
    EXPECT_EQ(h.lib.probe().setParameterCalls, 2) << "each change is pushed once";
    h.processor().inlet(0).signal = &SGZeroSignal;
}

TEST(VSTParameters, AutomationComesBackIntoThePropertyWithItsChangedBitClear) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    VSTABI::Effect& effect = h.processor().effect();
    h.lib.automate(effect, 2, 0.375f);
    EXPECT_DOUBLE_EQ(h.parameter(2).value(), 0.375);
    EXPECT_FALSE(h.parameter(2).isChanged());
    h.processor().process();
    EXPECT_EQ(h.lib.probe().setParameterCalls, 0) << "the plug-in already has the value";
    // Parameters the plug-in does not have are ignored.
    h.lib.probe().host(&effect, VSTABI::audioMasterAutomate, 5, 0, nullptr, 0.5f);
    h.lib.probe().host(&effect, VSTABI::audioMasterAutomate, -1, 0, nullptr, 0.5f);
    EXPECT_EQ(h.processor().propertyTable().count(), 5);
}

TEST(VSTProcessing, ProcessReplacingWritesTheOutletsAndProcessIsNotCalled) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    SGSignal in = ramp(-0.5f, 0.003f);
    h.processor().inlet(0).signal = &in;
    h.processor().outletSignal(0).fill(7.0f);
    h.processor().process();
    // Default Gain 0.5 and Offset 0: the output is the input.
    for (std::uint32_t i = 0; i < SGBlockSize; ++i)
        ASSERT_FLOAT_EQ(h.processor().outletSignal(0)[i], in[i]);
    EXPECT_EQ(h.lib.probe().replacingCalls, 1);
    EXPECT_EQ(h.lib.probe().processCalls, 0);
    h.processor().inlet(0).signal = &SGZeroSignal;
}

TEST(VSTProcessing, AnAccumulatingPluginGetsOutletsZeroedBeforeEachCall) {
    Hosted h("Accumulating");
    ASSERT_NE(h.contraption, nullptr);
    SGSignal in = ramp(0.0f, 0.01f);
    h.processor().inlet(0).signal = &in;
    for (int block = 0; block < 3; ++block) {
        h.processor().outletSignal(0).fill(7.0f);
        h.processor().process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i)
            ASSERT_FLOAT_EQ(h.processor().outletSignal(0)[i], in[i] + 0.25f) << "block " << block;
    }
    EXPECT_EQ(h.lib.probe().processCalls, 3);
    EXPECT_EQ(h.lib.probe().replacingCalls, 0);
    h.processor().inlet(0).signal = &SGZeroSignal;
}

TEST(VSTProcessing, StereoChannelsMapInOrderAndThePluginCannotWriteIntoItsInlets) {
    Hosted h("Stereo");
    ASSERT_NE(h.contraption, nullptr);
    SGSignal left = ramp(0.0f, 0.001f), right = ramp(1.0f, -0.002f);
    const SGSignal leftCopy = left;
    h.processor().inlet(0).signal = &left;
    for (int block = 0; block < 2; ++block) {
        h.processor().process();
        for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
            // Inlet 1 unconnected reads silence, even after the plug-in scribbled on its inputs.
            ASSERT_EQ(h.processor().outletSignal(0)[i], 0.0f);
            ASSERT_EQ(h.processor().outletSignal(1)[i], leftCopy[i]);
        }
    }
    h.processor().inlet(1).signal = &right;
    h.processor().process();
    EXPECT_EQ(h.processor().outletSignal(0)[10], right[10]);
    for (std::uint32_t i = 0; i < SGBlockSize; ++i) {
        ASSERT_EQ(left[i], leftCopy[i]) << "a source's outlet stays as it was";
        ASSERT_EQ(SGZeroSignal[i], 0.0f) << "the shared zero block stays silent";
    }
    h.processor().inlet(0).signal = &SGZeroSignal;
    h.processor().inlet(1).signal = &SGZeroSignal;
}

TEST(VSTProcessing, ResetSuspendsResumesAndPushesChangedProperties) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    h.parameter(0).setValue(0.5);
    int before = h.lib.probe().callCount;
    h.processor().reset();
    const FixtureProbe& p = h.lib.probe();
    ASSERT_EQ(p.callCount, before + 2);
    EXPECT_EQ(p.opcodes[before], VSTABI::effMainsChanged);
    EXPECT_EQ(p.values[before], 0);
    EXPECT_EQ(p.opcodes[before + 1], VSTABI::effMainsChanged);
    EXPECT_EQ(p.values[before + 1], 1);
    EXPECT_EQ(p.setParameterCalls, 1);
    EXPECT_EQ(p.lastSetIndex, 0);
    EXPECT_EQ(p.lastSetValue, 0.5f);
    EXPECT_FALSE(h.parameter(0).isChanged());
}

TEST(VSTProcessing, ProcessingAllocatesNothing) {
    Hosted h("Stereo");
    Hosted r("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    ASSERT_NE(r.contraption, nullptr);
    SGSignal in = ramp(0.0f, 0.001f);
    h.processor().inlet(0).signal = &in;
    r.processor().inlet(0).signal = &in;
    r.parameter(1).setValue(0.25);
    EXPECT_NO_AUDIO_ALLOCATION({
        h.processor().process();
        r.processor().process();
        r.processor().reset();
        r.processor().process();
    });
    h.processor().inlet(0).signal = &SGZeroSignal;
    r.processor().inlet(0).signal = &SGZeroSignal;
}

TEST(VSTEntry, AContraptionEntryReadsBackIntoTheSameValues) {
    Hosted h("Replacing");
    ASSERT_NE(h.contraption, nullptr);
    h.parameter(1).setValue(0.8);
    h.parameter(3).setValue(0.0625);
    std::ostringstream written;
    h.contraption->writeEntry(written);

    std::istringstream in(written.str());
    std::string makerName, instanceName;
    in >> makerName >> instanceName;
    EXPECT_EQ(makerName, "Replacing");
    auto copy = h.maker.create(instanceName);
    ASSERT_NE(copy, nullptr);
    copy->readEntry(in);
    EXPECT_FALSE(in.fail());
    VSTSignalProcessor& p = vstProcessor(*copy);
    for (int i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(p.parameter(i).value(), h.parameter(i).value()) << i;
    // Reading resets the processor, which hands the plug-in the values read.
    VSTABI::Effect& e = p.effect();
    EXPECT_FLOAT_EQ(e.getParameter(&e, 1), 0.8f);
    EXPECT_FLOAT_EQ(e.getParameter(&e, 3), 0.0625f);
    std::ostringstream rewritten;
    copy->writeEntry(rewritten);
    std::string original = written.str();
    std::string again = rewritten.str();
    // Same entry, apart from the instance name (the first one still holds its own).
    EXPECT_EQ(again.substr(again.find('{')), original.substr(original.find('{')));
}
