// Bindings between controls and properties: user changes write the property and forget the
// current preset, refreshes copy the property into the control without echoing back, and
// controller moves reach the controls once per refresh tick.
#include <QCheckBox>
#include <QScreen>

#include "EditorFixture.h"
#include "editors/VTParameterDialogs.h"
#include "editors/VTRangeSliderBinding.h"
#include "editors/VTValueHintWindow.h"
#include "ui/KDDWKnob.h"
#include "ui/KDDWSlider.h"
#include "ui/KDNumberEdit.h"
#include "ui/KDRangeSlider.h"
#include "ui/qt/KDQtHosted.h"

namespace vantrel::test {
namespace {

constexpr int kGroup = 7;

// Every binding kind over BindingParams.
class BindingForm : public TContraptionForm {
public:
    explicit BindingForm(VTContraption& c) : TContraptionForm(c) {
        QWidget* area = clientArea();
        knob = new KDQtHosted<KDDWKnob>(area);
        knob->setGeometry(0, 0, 40, 40);
        slider = new KDQtHosted<KDDWSlider>(area);
        slider->setGeometry(50, 0, 24, 100);
        range = new KDQtHosted<KDRangeSlider>(area);
        range->setGeometry(80, 0, 24, 100);
        steps = new KDQtHosted<KDNumberEdit>(area);
        steps->setGeometry(110, 0, 80, 21);
        gainEdit = new KDQtHosted<KDNumberEdit>(area);
        gainEdit->setGeometry(110, 30, 80, 21);
        mute = new QCheckBox("On", area);
        mute->move(110, 60);
        setClientSize(200, 110);
        bindKnob(knob->control(), "Gain", kGroup);
        bindSlider(slider->control(), "Gain");
        bindRangeSlider(range->control(), "Band");
        bindNumberEdit(steps->control(), "Steps");
        bindNumberEdit(gainEdit->control(), "Gain");
        bindCheckBox(*mute, "Mute", false);
        bindNotify([this] { ++stepsShown; }, "Steps", kGroup);
        bindNull("No Such Parameter");
        addNotifier(kGroup, [this] { ++groupCalls; });
    }
    KDQtHosted<KDDWKnob>* knob;
    KDQtHosted<KDDWSlider>* slider;
    KDQtHosted<KDRangeSlider>* range;
    KDQtHosted<KDNumberEdit>* steps;
    KDQtHosted<KDNumberEdit>* gainEdit;
    QCheckBox* mute;
    int stepsShown = 0;
    int groupCalls = 0;
};

class Bindings : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        preview->factory().addForm("BindingTest", [](VTContraption& c) {
            return std::make_unique<BindingForm>(c);
        });
        contraption = maker.create("");
        contraption->showEditor();
        form = &static_cast<BindingForm&>(formOf(*contraption));
        params = static_cast<BindingParams*>(&contraption->processor());
    }
    void TearDown() override {
        contraption.reset();
        EditorTest::TearDown();
    }

    // A preset made current, to see edits forget it.
    void makeCurrentPreset() {
        contraption->storePreset(4);
        form->presetButton().control().SetCaption("5");
        ASSERT_EQ(contraption->currentPreset(), 4);
    }

    BindingParamsMaker maker;
    std::unique_ptr<VTContraption> contraption;
    BindingForm* form = nullptr;
    BindingParams* params = nullptr;
};

TEST_F(Bindings, ControlsShowThePropertiesAndTakeTheirRanges) {
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.25);
    EXPECT_DOUBLE_EQ(form->slider->control().Value(), 0.25);
    EXPECT_DOUBLE_EQ(form->range->control().Min(), 20.0);
    EXPECT_DOUBLE_EQ(form->range->control().Max(), 4000.0);
    EXPECT_NEAR(form->range->control().Value0(), 100.0, 1e-9);
    EXPECT_NEAR(form->range->control().Value1(), 1000.0, 1e-9);
    EXPECT_DOUBLE_EQ(form->steps->control().Value(), 3.0);
    EXPECT_DOUBLE_EQ(form->steps->control().Max(), 10.0);
    EXPECT_EQ(form->stepsShown, 1);
}

TEST_F(Bindings, RefreshingAControlIsNoEdit) {
    // The knob reports programmatic changes; a refresh must not take them for the user's.
    makeCurrentPreset();
    modified = 0;
    params->gain.setValue(0.75);
    form->refreshAll(true);
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.75);
    EXPECT_EQ(contraption->currentPreset(), 4);
    EXPECT_EQ(form->presetButton().control().Caption(), "5");
    EXPECT_EQ(modified, 0);
}

TEST_F(Bindings, DraggingTheKnobWritesTheValueShowsTheHintAndForgetsThePreset) {
    makeCurrentPreset();
    QWidget* knob = form->knob;
    const int groupBefore = form->groupCalls;
    Press(knob, {20, 20});
    VTValueHintWindow& hint = form->hintWindow();
    ASSERT_TRUE(hint.isShowing());
    EXPECT_EQ(hint.lines().size(), 1u);
    EXPECT_EQ(hint.lines()[0], SGGainUnits::instance()->format(0.25));
    MoveHeld(knob, {20, 10});  // ten pixels up: +0.1
    EXPECT_NEAR(params->gain.value(), 0.35, 1e-9);
    EXPECT_EQ(hint.lines()[0], SGGainUnits::instance()->format(params->gain.value()));
    EXPECT_EQ(contraption->currentPreset(), -1);
    EXPECT_EQ(form->presetButton().control().Caption(), "--");
    EXPECT_EQ(form->groupCalls, groupBefore + 1);
    Release(knob, {20, 10});
    EXPECT_FALSE(hint.isShowing());
}

TEST_F(Bindings, NumberFieldsWriteTheirTypes) {
    KDNumberEdit& steps = form->steps->control();
    steps.KeyDown({KDKey::Character, U'a', ssCtrl});
    steps.TypeText("7.9");
    EXPECT_EQ(params->steps.value(), 7) << "an int property takes the value truncated";
    KDNumberEdit& gain = form->gainEdit->control();
    gain.KeyDown({KDKey::Character, U'a', ssCtrl});
    gain.TypeText("0.5");
    EXPECT_DOUBLE_EQ(params->gain.value(), 0.5);
    EXPECT_EQ(contraption->currentPreset(), -1);
}

TEST_F(Bindings, CheckBoxWithCheckedMeansFalse) {
    ASSERT_TRUE(params->mute.value());
    EXPECT_FALSE(form->mute->isChecked()) << "ticked exactly when the property is false";
    makeCurrentPreset();
    QTest::mouseClick(form->mute, Qt::LeftButton);
    EXPECT_TRUE(form->mute->isChecked());
    EXPECT_FALSE(params->mute.value()) << "a click writes the opposite of the tick";
    EXPECT_EQ(contraption->currentPreset(), -1);
    params->mute.setValue(true);
    form->propertyChanged(params->mute, true);
    EXPECT_FALSE(form->mute->isChecked());
}

TEST_F(Bindings, RangeSliderWritesSinglePrecisionAndHintsHighAboveLow) {
    KDRangeSlider& range = form->range->control();
    range.OnChange(range, 200.123456789, 3000.0);
    EXPECT_EQ(params->band.low(), 200.123456789f);
    EXPECT_EQ(params->band.high(), 3000.0f);
    Press(form->range, {12, 50});
    VTValueHintWindow& hint = form->hintWindow();
    ASSERT_TRUE(hint.isShowing());
    ASSERT_EQ(hint.lines().size(), 2u);
    EXPECT_EQ(hint.lines()[0], SGFrequencyUnits::instance()->format(3000.0f));
    EXPECT_EQ(hint.lines()[1], SGFrequencyUnits::instance()->format(200.123456789f));
    EXPECT_EQ(hint.height(), 2 * hint.lineHeight() + 4);
    const int widest =
        hint.textWidth(SGFrequencyUnits::instance()->sampleText(20.0, 4000.0));
    EXPECT_EQ(hint.width(), widest + 6);
    Release(form->range, {12, 50});
}

TEST_F(Bindings, HundredControllerMovesBetweenTicksUpdateTheControlOnce) {
    form->refreshTick();
    const int shownBefore = form->stepsShown;
    const int groupBefore = form->groupCalls;
    VTStaleControls& stale = contraption->staleControls();
    const int stepsIndex = params->table.indexOf("Steps");
    for (int i = 0; i < 100; ++i) {
        params->steps.setValue(i % 11);
        stale.mark(stepsIndex);  // what a MIDI controller does on its thread
    }
    EXPECT_EQ(form->stepsShown, shownBefore) << "controllers never touch the controls";
    form->refreshTick();
    EXPECT_EQ(form->stepsShown, shownBefore + 1);
    EXPECT_DOUBLE_EQ(form->steps->control().Value(), 99 % 11);
    // Two bindings of the group were refreshed, but the group's notifier runs once.
    EXPECT_EQ(form->groupCalls, groupBefore + 1);
    form->refreshTick();
    EXPECT_EQ(form->stepsShown, shownBefore + 1) << "nothing new, nothing redrawn";
}

TEST_F(Bindings, PropertyChangedNowOrAtTheNextTick) {
    params->gain.setValue(0.9);
    form->propertyChanged(params->gain, false);
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.25);
    form->refreshTick();
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.9);
    EXPECT_DOUBLE_EQ(form->slider->control().Value(), 0.9);
    params->gain.setValue(0.1);
    form->propertyChanged(params->gain, true);
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.1);
}

TEST_F(Bindings, RefreshAllLaterWaitsForTheTick) {
    params->gain.setValue(0.6);
    params->steps.setValue(9);
    form->refreshAll(false);
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.25);
    TContraptionForm::refreshTickAll();
    EXPECT_DOUBLE_EQ(form->knob->control().Value(), 0.6);
    EXPECT_DOUBLE_EQ(form->steps->control().Value(), 9.0);
}

// Records what the parameter pop-up asks for.
struct RecordingDialogs : VTParameterDialogs {
    RecordingDialogs() { setCurrent(this); }
    ~RecordingDialogs() override { setCurrent(nullptr); }
    void setupModulation(VTContraption& c, int index) override {
        modulation.emplace_back(&c, index);
    }
    void quickMapMidi(VTContraption& c, int index, const SGPropertyInfo& info) override {
        quickMap.emplace_back(&c, index);
        quickMapName = info.name;
    }
    std::vector<std::pair<VTContraption*, int>> modulation, quickMap;
    std::string quickMapName;
};

TEST_F(Bindings, RightPressOpensTheParameterMenuForThatProperty) {
    Press(form->range, {12, 50}, Qt::RightButton);
    QMenu& menu = form->parameterMenu();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(form->parameterMenuProperty(), params->table.indexOf("Band"));
    QStringList texts, enabled;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            texts << "-";
            continue;
        }
        texts << a->text();
        if (a->isEnabled()) enabled << a->text();
    }
    EXPECT_EQ(texts, QStringList({"Set Value...", "-", "Setup Modulation...", "-",
                                  "Quick-map MIDI Controller...", "Quick-map Automation"}));
    EXPECT_EQ(enabled, QStringList({"Setup Modulation...", "Quick-map MIDI Controller..."}));
    menu.close();

    // Without dialogs the items do nothing; with them they open for this property.
    menu.actions()[2]->trigger();
    RecordingDialogs dialogs;
    menu.actions()[2]->trigger();
    menu.actions()[4]->trigger();
    ASSERT_EQ(dialogs.modulation.size(), 1u);
    EXPECT_EQ(dialogs.modulation[0].first, contraption.get());
    EXPECT_EQ(dialogs.modulation[0].second, params->table.indexOf("Band"));
    ASSERT_EQ(dialogs.quickMap.size(), 1u);
    EXPECT_EQ(dialogs.quickMapName, "Band");

    form->popupParameterMenu(QPoint(5, 5), "Gain");
    EXPECT_EQ(form->parameterMenuProperty(), params->table.indexOf("Gain"));
    menu.close();
}

TEST(HintWindow, PlacementKeepsTheHintOnTheScreen) {
    const QSize screen(800, 600);
    const QSize hint(60, 20);
    struct Case {
        QRect control;
        QPoint at;
    };
    const Case cases[] = {
        {{100, 100, 40, 40}, {140, 100}},  // right of the control, at its top
        {{100, 590, 40, 40}, {140, 580}},  // pulled up to end at the bottom
        {{750, 100, 40, 40}, {684, 100}},  // flipped to the left, 6 pixels apart
        {{30, 100, 780, 40}, {0, 100}},    // never left of 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(VTValueHintWindow::placement(c.control, hint, screen), c.at) << c.control.x();
}

TEST(HintWindow, TextSplitsAtCarriageReturns) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(VTValueHintWindow::splitLines("high\r\nlow"), Lines({"high", "low"}));
    EXPECT_EQ(VTValueHintWindow::splitLines("a\rb"), Lines({"a", "b"}));
    EXPECT_EQ(VTValueHintWindow::splitLines("one"), Lines({"one"}));
    EXPECT_EQ(VTValueHintWindow::splitLines("1\r\n2\r\n3"), Lines({"1", "2"}));
    EXPECT_EQ(VTValueHintWindow::splitLines(std::string(60, 'x'))[0].size(), 49u);
}

}  // namespace
}  // namespace vantrel::test
