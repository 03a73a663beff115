// The mixers' and the crossfader's editors: one knob per channel, each tied to its own gain or
// pan, laid out by the channel count of the mixer they edit.
#include <QLabel>

#include "EditorFixture.h"
#include "editors/mixers/TChannelMixerForm.h"
#include "editors/mixers/TCrossfaderForm.h"
#include "editors/mixers/TPanPotMixerForm.h"

namespace vantrel::test {
namespace {

using MixerEditor = KindFormTest;

// The window is as wide as asked, rounded up to the 10-pixel grid.
void ExpectWidthOnTheGrid(TContraptionForm& form, int width) {
    EXPECT_GE(form.width(), width);
    EXPECT_LT(form.width(), width + TContraptionForm::kGrid);
}

struct ChannelCase {
    const char* maker;
    int channels;
};
constexpr ChannelCase kSizes[] = {{"2", 2}, {"3", 3}, {"4", 4}, {"6", 6}, {"8", 8}, {"12", 12}};

TEST_F(MixerEditor, MonoAndStereoMixersShowOneNumberedKnobPerChannel) {
    for (const ChannelCase& k : kSizes) {
        for (const char* family : {"M", "S"}) {
            const std::string maker = std::string(family) + k.maker + "Mixer";
            SCOPED_TRACE(maker);
            auto& form = open<TChannelMixerForm>(maker);
            ASSERT_EQ(form.channelCount(), k.channels);
            const int last = k.channels - 1;
            EXPECT_EQ(form.KnobWidget(last).x() - form.KnobWidget(0).x(), 45 * last);
            ExpectWidthOnTheGrid(form, form.KnobWidget(last).x() + 45);
            EXPECT_EQ(form.KnobWidget(0).size(), QSize(35, 35));
            const bool stereo = family[0] == 'S';
            EXPECT_EQ(form.Label(0).text(), stereo ? "1 & 2" : "1");
            EXPECT_EQ(form.Label(last).text(),
                      stereo ? QString("%1 & %2").arg(2 * last + 1).arg(2 * last + 2)
                             : QString::number(k.channels));
            EXPECT_DOUBLE_EQ(form.Knob(last).Max(), 1.0);
            preview->clear();
        }
    }
}

TEST_F(MixerEditor, EachChannelKnobTurnsItsOwnGain) {
    auto& form = open<TMonoMixerForm>("M4Mixer");
    c->storePreset(0);
    dragUp(form.KnobWidget(2), 30);
    EXPECT_GT(valueOf("Gain_2"), 0.0);
    EXPECT_DOUBLE_EQ(valueOf("Gain_2"), form.Knob(2).Value());
    for (const char* untouched : {"Gain_0", "Gain_1", "Gain_3", "MasterGain"})
        EXPECT_EQ(valueOf(untouched), 0.0) << untouched;
    EXPECT_EQ(c->currentPreset(), -1) << "a turn in the window forgets the preset";
    EXPECT_EQ(form.presetButton().control().Caption(), "--");

    dragUp(form.MasterKnobWidget(), 30);
    EXPECT_GT(valueOf("MasterGain"), 0.0);

    setFromOutside(form, "Gain_3", 0.75);
    EXPECT_DOUBLE_EQ(form.Knob(3).Value(), 0.75);
}

TEST_F(MixerEditor, PanPotMixerHasAPanAndAGainKnobPerChannel) {
    for (const ChannelCase& k : kSizes) {
        const std::string maker = std::string("P") + k.maker + "Mixer";
        SCOPED_TRACE(maker);
        auto& form = open<TPanPotMixerForm>(maker);
        ASSERT_EQ(form.channelCount(), k.channels);
        const int last = k.channels - 1;
        EXPECT_EQ(form.PanKnobWidget(last).x(), form.GainKnobWidget(last).x());
        EXPECT_LT(form.PanKnobWidget(last).y(), form.GainKnobWidget(last).y()) << "pan above";
        EXPECT_EQ(form.GainKnobWidget(last).x() - form.GainKnobWidget(0).x(), 45 * last);
        ExpectWidthOnTheGrid(form, form.GainKnobWidget(last).x() + 45);
        EXPECT_EQ(form.Label(last).text(), QString::number(k.channels));
        EXPECT_DOUBLE_EQ(form.PanKnob(last).Value(), 0.5) << "a new channel sits in the middle";
        preview->clear();
    }

    auto& form = open<TPanPotMixerForm>("P3Mixer");
    dragUp(form.PanKnobWidget(1), 20);
    EXPECT_GT(valueOf("Pan_1"), 0.5);
    EXPECT_EQ(valueOf("Gain_1"), 0.0);
    EXPECT_EQ(valueOf("Pan_0"), 0.5);
    dragUp(form.GainKnobWidget(1), 20);
    EXPECT_GT(valueOf("Gain_1"), 0.0);
}

TEST_F(MixerEditor, CrossfaderFadesWithAHorizontalSliderAndTrimsEachSide) {
    auto& form = open<TCrossfaderForm>("Crossfader");
    EXPECT_EQ(form.FaderWidget().width(), 144);
    EXPECT_EQ(form.Fader().Orientation(), soHorizontal);
    EXPECT_DOUBLE_EQ(form.Fader().Max(), 1.0);
    for (KDDWKnob* knob : {&form.MasterKnob(), &form.Knob1(), &form.Knob2()}) {
        EXPECT_DOUBLE_EQ(knob->Max(), 1.5);
        EXPECT_DOUBLE_EQ(knob->Value(), 1.0);
    }
    QStringList labels;
    for (QLabel* l : form.clientArea()->findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains("1 & 2")) << labels.join("|").toStdString();
    EXPECT_TRUE(labels.contains("3 & 4"));

    dragAcross(form.FaderWidget(), 2, form.FaderWidget().width() - 2);
    EXPECT_GT(valueOf("Fade"), 0.9) << "dragged across to side B";

    dragUp(form.Knob2Widget(), 20);
    EXPECT_GT(valueOf("TrimB"), 1.0);
    EXPECT_EQ(valueOf("TrimA"), 1.0);
}

TEST_F(MixerEditor, APresetRecallShowsInEveryKnob) {
    auto& form = open<TStereoMixerForm>("S3Mixer");
    setFromOutside(form, "Gain_0", 0.2);
    setFromOutside(form, "Gain_2", 0.9);
    c->storePreset(4);
    setFromOutside(form, "Gain_0", 0.0);
    setFromOutside(form, "Gain_2", 0.0);
    form.userEdited();  // as if changed in the window, so slot 5 is no longer current
    form.runPresetAction(TPresetMenuForm::Recall, 4);
    EXPECT_NEAR(form.Knob(0).Value(), 0.2, 1e-9);
    EXPECT_NEAR(form.Knob(2).Value(), 0.9, 1e-9);
    EXPECT_EQ(c->currentPreset(), 4);
}

}  // namespace
}  // namespace vantrel::test
