// The test generator's editor: its controls follow the generator's properties and change them.
#include <QRadioButton>

#include "EditorFixture.h"
#include "editors/generators/TTestGenForm.h"
#include "library/generators/VTTestSignalGenerator.h"
#include "platform/VTHelpViewer.h"

namespace vantrel::test {
namespace {

class TestGenEditor : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        c = preview->addEditor("TestGen", 10, 10);
        ASSERT_NE(c, nullptr);
        form = &static_cast<TTestGenForm&>(formOf(*c));
        gen = static_cast<VTTestSignalGenerator*>(&c->processor());
    }
    VTContraption* c = nullptr;
    TTestGenForm* form = nullptr;
    VTTestSignalGenerator* gen = nullptr;
};

TEST_F(TestGenEditor, OpensWithTheGeneratorsValuesAndRanges) {
    EXPECT_EQ(form->header().label().text(), QString::fromStdString(c->name()));
    EXPECT_EQ(form->size(), QSize(190, 90)) << "182 x 73 and the header, on the grid";
    EXPECT_DOUBLE_EQ(form->VolumeKnob().Value(), 0.0);
    EXPECT_DOUBLE_EQ(form->VolumeKnob().Max(), 1.0);
    EXPECT_DOUBLE_EQ(form->FrequencyEdit().Value(), 440.0);
    EXPECT_DOUBLE_EQ(form->FrequencyEdit().Min(), 10.0);
    EXPECT_DOUBLE_EQ(form->FrequencyEdit().Max(), 20000.0);
    EXPECT_TRUE(form->SineRadioButton().isChecked());
    EXPECT_FALSE(form->NoiseRadioButton().isChecked());
}

TEST_F(TestGenEditor, ControlsChangeTheProperties) {
    c->storePreset(0);
    QWidget* knob = &form->VolumeKnobWidget();
    Press(knob, {20, 20});
    MoveHeld(knob, {20, -30});  // fifty pixels up
    Release(knob, {20, -30});
    EXPECT_NEAR(gen->amplitude.value(), 0.5, 1e-9);
    EXPECT_EQ(c->currentPreset(), -1);

    KDNumberEdit& edit = form->FrequencyEdit();
    edit.KeyDown({KDKey::Character, U'a', ssCtrl});
    edit.TypeText("1000");
    EXPECT_DOUBLE_EQ(gen->frequency.value(), 1000.0);
    edit.KeyDown({KDKey::Up, 0, ssNone});
    EXPECT_DOUBLE_EQ(gen->frequency.value(), 1001.0) << "steps by 1";

    c->storePreset(1);
    QTest::mouseClick(&form->NoiseRadioButton(), Qt::LeftButton);
    EXPECT_EQ(gen->waveform.value(), 0);
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_EQ(form->presetButton().control().Caption(), "--");
    QTest::mouseClick(&form->SineRadioButton(), Qt::LeftButton);
    EXPECT_EQ(gen->waveform.value(), 1);
}

TEST_F(TestGenEditor, RadioButtonsFollowTheWaveformFromAnywhere) {
    struct Case {
        int waveform;
        bool sine, noise;
    };
    for (const Case& k : {Case{0, false, true}, Case{1, true, false}, Case{2, false, false}}) {
        gen->waveform.setValue(k.waveform);
        form->propertyChanged(gen->waveform, true);
        EXPECT_EQ(form->SineRadioButton().isChecked(), k.sine) << k.waveform;
        EXPECT_EQ(form->NoiseRadioButton().isChecked(), k.noise) << k.waveform;
    }
    EXPECT_EQ(gen->waveform.value(), 2) << "showing the value wrote nothing back";
}

TEST_F(TestGenEditor, APresetRecallShowsInTheControls) {
    gen->amplitude.setValue(0.8);
    gen->frequency.setValue(220.0);
    gen->waveform.setValue(0);
    c->storePreset(5);
    gen->amplitude.setValue(0.1);
    gen->frequency.setValue(3000.0);
    gen->waveform.setValue(1);
    form->userEdited();  // as if made in the window, so slot 6 is no longer current
    form->refreshAll(true);
    ASSERT_DOUBLE_EQ(form->FrequencyEdit().Value(), 3000.0);

    form->runPresetAction(TPresetMenuForm::Recall, 5);
    EXPECT_DOUBLE_EQ(form->VolumeKnob().Value(), 0.8);
    EXPECT_DOUBLE_EQ(form->FrequencyEdit().Value(), 220.0);
    EXPECT_TRUE(form->NoiseRadioButton().isChecked());
    EXPECT_FALSE(form->SineRadioButton().isChecked());
    EXPECT_EQ(c->currentPreset(), 5);
}

struct RecordingHelp : VTHelpViewer {
    RecordingHelp() { setCurrent(this); }
    ~RecordingHelp() override { setCurrent(nullptr); }
    void showTopic(int topic) override { topics.push_back(topic); }
    std::vector<int> topics;
};

TEST_F(TestGenEditor, HelpButtonOpensTheKindsTopic) {
    RecordingHelp help;
    QWidget* button = &form->header().helpButton();
    Press(button, {5, 5});
    Release(button, {5, 5});
    EXPECT_EQ(help.topics, std::vector<int>({1002}));
}

}  // namespace
}  // namespace vantrel::test
