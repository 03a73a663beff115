#include <gtest/gtest.h>

#include <memory>

#include "ControllerFixtures.h"
#include "contraptions/VTContraptionFactory.h"
#include "control/VTPresetPropController.h"
#include "control/VTRangePropController.h"
#include "support/AudioThreadGuard.h"

using vantrel::test::AudioThreadGuard;
using vantrel::test::ControllerFixture;
using vantrel::test::MappedParams;

namespace {

constexpr int B0 = 0xB0, F0 = 0xF0, C0 = 0xC0, E0 = 0xE0;

struct PropertyControllers : ::testing::Test, ControllerFixture {};

TEST_F(PropertyControllers, AreMadeOnFirstUseForParametersWithATypeAndARange) {
    EXPECT_FALSE(table().hasContent());
    EXPECT_EQ(table().controllerFor(MappedParams::kFixed), nullptr);  // min equals max
    EXPECT_EQ(table().controllerFor(MappedParams::kName), nullptr);   // a text
    EXPECT_EQ(table().controllerFor(-1), nullptr);
    EXPECT_EQ(table().controllerFor(MappedParams::kCount), nullptr);
    EXPECT_FALSE(table().hasContent());

    VTPropertyController* steps = table().controllerFor(MappedParams::kSteps);
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(table().controllerFor(MappedParams::kSteps), steps);
    EXPECT_TRUE(table().hasContent());
    EXPECT_TRUE(table().hasPerPropertyList());
    EXPECT_EQ(table().existingController(MappedParams::kSwitch), nullptr);
    EXPECT_EQ(table().existingPresetController(), nullptr);

    EXPECT_NE(dynamic_cast<VTRangePropController*>(table().controllerFor(MappedParams::kBand)),
              nullptr);
    EXPECT_NE(controller(MappedParams::kBand).secondarySource(), nullptr);
    EXPECT_EQ(controller(MappedParams::kCutoff).secondarySource(), nullptr);
}

TEST_F(PropertyControllers, APresetControllerAloneGivesTheTableContent) {
    ASSERT_NE(table().presetController(), nullptr);
    EXPECT_TRUE(table().hasContent());
    EXPECT_FALSE(table().hasPerPropertyList());
}

TEST(PropertyControllerTable, StaysEmptyWithoutAnInstalledFactory) {
    vantrel::test::MappedMaker maker{"Mapped", "Effects", 1};
    auto c = maker.create({});
    EXPECT_EQ(c->controllers().presetController(), nullptr);
    EXPECT_EQ(c->controllers().controllerFor(MappedParams::kCutoff), nullptr);
    EXPECT_FALSE(c->controllers().hasContent());
}

// Each case: the parameter, its source, the message sent, and the value the parameter takes.
TEST(PropertyControllerMapping, MapsFourteenBitValuesOntoTheParametersRange) {
    struct Case {
        const char* what;
        int param;
        int type, number;
        std::uint8_t status, d1, d2;
        double expected;
        double tolerance;
    } cases[] = {
        {"double, 7-bit 0", MappedParams::kCutoff, B0, 7, 0xB0, 7, 0, 10.0, 0.0},
        {"double, 7-bit 127", MappedParams::kCutoff, B0, 7, 0xB0, 7, 127,
         10.0 + 16256.0 / 16383.0 * 21990.0, 1e-9},
        {"double, pitch bend top", MappedParams::kCutoff, E0, 0, 0xE0, 127, 127, 22000.0, 0.0},
        {"double, 14-bit fine byte alone", MappedParams::kCutoff, F0, 1, 0xB0, 33, 127,
         10.0 + 127.0 / 16383 * 21990, 1e-9},
        {"int, 7-bit 100", MappedParams::kSteps, B0, 7, 0xB0, 7, 100, 99.0,
         0.0},  // 99.22 truncated
        {"int, 7-bit 127", MappedParams::kSteps, B0, 7, 0xB0, 7, 127, 126.0, 0.0},
        {"int, pitch bend top", MappedParams::kSteps, E0, 0, 0xE0, 127, 127, 127.0, 0.0},
        {"bool, 7-bit 63", MappedParams::kSwitch, B0, 7, 0xB0, 7, 63, 0.0, 0.0},
        {"bool, 7-bit 64", MappedParams::kSwitch, B0, 7, 0xB0, 7, 64, 1.0, 0.0},
        {"bool, 7-bit 127", MappedParams::kSwitch, B0, 7, 0xB0, 7, 127, 1.0, 0.0},
        {"bool, pitch bend 8191", MappedParams::kSwitch, E0, 0, 0xE0, 127, 63, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        ControllerFixture f;
        ASSERT_TRUE(f.controller(c.param).primarySource().setSource(c.type, 0, c.number));
        f.server.dispatch(c.status, c.d1, c.d2);
        MappedParams& p = f.params();
        const double got = c.param == MappedParams::kCutoff  ? p.cutoff.value()
                           : c.param == MappedParams::kSteps ? p.steps.value()
                                                             : (p.on.value() ? 1.0 : 0.0);
        EXPECT_NEAR(got, c.expected, c.tolerance) << c.what;
    }
}

TEST_F(PropertyControllers, ARangeMovesByItsCentreAndItsWidth) {
    auto& range = controller(MappedParams::kBand);
    ASSERT_TRUE(range.primarySource().setSource(B0, 0, 20));
    ASSERT_TRUE(range.secondarySource()->setSource(B0, 0, 21));
    params().band.clearChanged();

    server.dispatch(0xB0, 20, 64);  // centre 8192, width kept at 0.2
    EXPECT_NEAR(params().band.low(), 0.4f, 1e-4);
    EXPECT_NEAR(params().band.high(), 0.6f, 1e-4);
    EXPECT_TRUE(params().band.isChanged());

    server.dispatch(0xB0, 21, 0);  // width 0 around the centre
    EXPECT_FLOAT_EQ(params().band.low(), params().band.high());
    EXPECT_NEAR(params().band.low(), 0.5f, 1e-4);

    server.dispatch(0xB0, 21, 127);  // as wide as the whole range: clamped at both ends
    EXPECT_EQ(params().band.low(), 0.0f);
    EXPECT_EQ(params().band.high(), 1.0f);

    params().band.setValue(0.8f, 0.9f);
    server.dispatch(0xB0, 20, 127);  // centre at the top: the high end stops at max
    EXPECT_NEAR(params().band.low(), 16256.0f / 16383.0f - 0.05f, 1e-5);
    EXPECT_EQ(params().band.high(), 1.0f);
}

TEST_F(PropertyControllers, ARangeComputesInSinglePrecision) {
    auto& range = controller(MappedParams::kBand);
    ASSERT_TRUE(range.primarySource().setSource(E0, 0, 0));
    server.dispatch(0xE0, 0, 64);  // 8192
    const float c = 8192.0f / 16383.0f * (1.0f - 0.0f) + 0.0f;
    const float h = (0.4f - 0.2f) / 2.0f;
    EXPECT_EQ(params().band.low(), c - h);
    EXPECT_EQ(params().band.high(), c + h);
}

TEST_F(PropertyControllers, AHundredMovesBetweenTwoTicksMakeOneRedraw) {
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(B0, 0, 7));
    VTStaleControls& stale = contraption->staleControls();
    EXPECT_FALSE(stale.takeAny());

    for (int n = 0; n < 100; ++n) server.dispatch(0xB0, 7, static_cast<std::uint8_t>(n));

    int redraws = 0;
    if (stale.takeAny())
        for (int i = 0; i < stale.count(); ++i) redraws += stale.take(i) ? 1 : 0;
    EXPECT_EQ(redraws, 1);
    EXPECT_NEAR(params().cutoff.value(), 10.0 + 99.0 * 128 / 16383.0 * 21990.0, 1e-9);

    // The next tick finds nothing to redraw.
    EXPECT_FALSE(stale.takeAny());
    EXPECT_FALSE(stale.take(MappedParams::kCutoff));

    server.dispatch(0xB0, 7, 1);
    EXPECT_TRUE(stale.takeAny());
    EXPECT_TRUE(stale.take(MappedParams::kCutoff));
    EXPECT_FALSE(stale.isMarked(MappedParams::kSteps));
}

struct ProgramChanges : PropertyControllers {
    ProgramChanges() {
        for (int k : {0, 3, 19}) {
            params().cutoff.setValue(100.0 * (k + 1));
            contraption->storePreset(k);
        }
        contraption->forgetCurrentPreset();
        params().cutoff.setValue(55.0);
        EXPECT_TRUE(presetController().primarySource().setSource(C0, 9, 0));
        contraption->staleControls().clear();
    }
};

TEST_F(ProgramChanges, RecallTheSlotOfTheProgramNumberWhenItHoldsAPreset) {
    server.dispatch(0xC9, 3, 0);
    EXPECT_EQ(params().cutoff.value(), 400.0);
    EXPECT_EQ(contraption->currentPreset(), 3);
    // The editor is not asked to redraw a recall.
    EXPECT_FALSE(contraption->staleControls().takeAny());

    server.dispatch(0xC9, 19, 0);
    EXPECT_EQ(params().cutoff.value(), 2000.0);
}

TEST_F(ProgramChanges, IgnoreEmptySlotsNumbersFromTwentyAndOtherChannels) {
    for (std::uint8_t program : {1, 20, 25, 127}) {
        server.dispatch(0xC9, program, 0);
        EXPECT_EQ(params().cutoff.value(), 55.0) << int(program);
        EXPECT_EQ(contraption->currentPreset(), -1) << int(program);
    }
    server.dispatch(0xC0, 3, 0);
    EXPECT_EQ(params().cutoff.value(), 55.0);
}

TEST_F(ProgramChanges, DoNotRecallTheCurrentSlotAgainAfterAControllerMove) {
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(B0, 9, 7));
    server.dispatch(0xC9, 3, 0);
    server.dispatch(0xB9, 7, 0);
    EXPECT_EQ(params().cutoff.value(), 10.0);
    server.dispatch(0xC9, 3, 0);
    EXPECT_EQ(params().cutoff.value(), 10.0);
}

TEST_F(ProgramChanges, MarkTheDocumentModified) {
    int modified = 0;
    VTContraptionFactory::instance().setModifiedListener([&] { ++modified; });
    server.dispatch(0xC9, 3, 0);
    VTContraptionFactory::instance().setModifiedListener(nullptr);
    EXPECT_EQ(modified, 1);
}

// The mapping runs on the MIDI thread: it may neither allocate nor take a lock.
TEST_F(PropertyControllers, DispatchIntoPropertiesAllocatesNothingAndTakesNoLock) {
    ASSERT_TRUE(controller(MappedParams::kSwitch).primarySource().setSource(B0, 0, 1));
    ASSERT_TRUE(controller(MappedParams::kSteps).primarySource().setSource(F0, 0, 2));
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(E0, 0, 0));
    ASSERT_TRUE(controller(MappedParams::kBand).primarySource().setSource(B0, 0, 70));
    ASSERT_TRUE(controller(MappedParams::kBand).secondarySource()->setSource(B0, 0, 71));
    params().cutoff.setValue(1.0);
    contraption->storePreset(2);
    contraption->forgetCurrentPreset();
    ASSERT_TRUE(presetController().primarySource().setSource(C0, 0, 0));
    const MappedParams& p = params();
    const bool countLocks = AudioThreadGuard::countsLocks();  // asking takes a lock itself
    bool movedOn = false;
    int movedSteps = 0;
    {
        AudioThreadGuard guard;
        for (int n = 0; n < 128; ++n) {
            const auto v = static_cast<std::uint8_t>(n);
            server.dispatch(0xB0, 1, v);
            server.dispatch(0xB0, 2, v);
            server.dispatch(0xE0, v, v);
            server.dispatch(0xB0, 70, v);
            server.dispatch(0xB0, 71, v);
        }
        movedOn = p.on.value();
        movedSteps = p.steps.value();
        server.dispatch(0xC0, 2, 0);
        EXPECT_EQ(guard.allocations(), 0);
        EXPECT_EQ(guard.frees(), 0);
        if (countLocks) {
            EXPECT_EQ(guard.locks(), 0);
        }
    }
    EXPECT_TRUE(movedOn);
    EXPECT_EQ(movedSteps, 126);        // controller 2 at 127, its pair 34 never sent
    EXPECT_EQ(p.cutoff.value(), 1.0);  // then the recalled preset
    EXPECT_FALSE(p.on.value());
}

TEST_F(PropertyControllers, StopListeningWhenTheirContraptionGoes) {
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(B0, 0, 7));
    ASSERT_TRUE(controller(MappedParams::kBand).secondarySource()->setSource(B0, 0, 8));
    ASSERT_TRUE(presetController().primarySource().setSource(C0, 0, 0));
    EXPECT_EQ(server.clientCount(VTMidiControlServer::controlKey(B0, 0, 7)), 1);
    contraption.reset();
    for (int key :
         {VTMidiControlServer::controlKey(B0, 0, 7), VTMidiControlServer::controlKey(B0, 0, 8),
          VTMidiControlServer::controlKey(C0, 0, 0)})
        EXPECT_EQ(server.clientCount(key), 0);
    server.dispatch(0xB0, 7, 10);  // reaches nobody
}

TEST_F(PropertyControllers, AnOpeningEditorForgetsEarlierMoves) {
    ASSERT_TRUE(controller(MappedParams::kCutoff).primarySource().setSource(B0, 0, 7));
    server.dispatch(0xB0, 7, 10);
    ASSERT_TRUE(contraption->staleControls().isMarked(MappedParams::kCutoff));
    contraption->formState().showEditor();  // no editor factory: no window, but a fresh start
    EXPECT_FALSE(contraption->staleControls().isMarked(MappedParams::kCutoff));
}

}  // namespace
