// The additive generator's editor: frequency slider and field, gain, ten amplitudes and the
// picture of the waveform they make.
#include <QLineEdit>

#include "EditorFixture.h"
#include "editors/generators/TAdditive10Form.h"

namespace vantrel::test {
namespace {

using Additive10Editor = KindFormTest;
using Amplitudes = std::array<float, VTHarmonicsPicture::kHarmonics>;

std::vector<int> rowsFor(const Amplitudes& a, int w, int h) {
    std::vector<float> columns(w);
    std::vector<int> rows(w);
    VTHarmonicsPicture::linePoints(a, w, h, columns, rows);
    return rows;
}

TEST(HarmonicsPicture, TheHighestPointNearlyTouchesTheTop) {
    const std::vector<int> first = rowsFor({1.0f}, 160, 110);
    EXPECT_EQ(first[0], 55) << "starts on the middle line";
    EXPECT_EQ(first[40], 2) << "the peak of the fundamental, two pixels from the top";
    EXPECT_EQ(first[120], 108) << "its trough, as far below";

    const std::vector<int> halfSecond = rowsFor({0.0f, 0.5f}, 160, 110);
    EXPECT_EQ(halfSecond[20], 2) << "scaled by its own peak, whatever the amplitude";

    const std::vector<int> silent = rowsFor({}, 160, 110);
    for (int row : silent) ASSERT_EQ(row, 55) << "no peak: a flat line in the middle";
}

TEST_F(Additive10Editor, TenAmplitudeSlidersRedrawTheWaveform) {
    auto& form = open<TAdditive10Form>("10Harmonics");
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(form.AmpSlider(k).Max(), 1.0);
        setFromOutside(form, "Amp_" + std::to_string(k), 0.0);
    }
    for (int row : form.Picture().rows()) ASSERT_EQ(row, form.Picture().height() / 2);

    setFromOutside(form, "Amp_0", 1.0);
    EXPECT_EQ(form.Picture().rows()[form.Picture().width() / 4], 2) << "redrawn on a refresh";
    EXPECT_EQ(form.Picture().picture().pixelColor(0, 0), QColor(Qt::black));

    c->storePreset(0);
    QWidget& third = form.AmpSliderWidget(2);
    Press(&third, {11, 100});
    MoveHeld(&third, {11, 40});
    Release(&third, {11, 40});
    EXPECT_GT(valueOf("Amp_2"), 0.0);
    EXPECT_EQ(c->currentPreset(), -1);
    EXPECT_NE(form.Picture().rows(),
              rowsFor({1.0f}, form.Picture().width(), form.Picture().height()))
        << "the third harmonic shows";
}

TEST_F(Additive10Editor, TheFrequencyFieldTakesOnlyWhatTheSliderCan) {
    auto& form = open<TAdditive10Form>("10Harmonics");
    setFromOutside(form, "Frequency", 220.0);
    EXPECT_EQ(form.FrequencyField().text(), "220");
    const QColor normal = form.FrequencyField().palette().color(QPalette::Text);

    struct Typed {
        const char* text;
        double frequency;  // afterwards
        bool grey;
    };
    for (const Typed& t :
         {Typed{"1000", 1000, false}, Typed{"5000", 1000, true}, Typed{"12.5", 1000, true},
          Typed{"abc", 1000, true}, Typed{"", 1000, true}, Typed{"440.5", 440.5, false}}) {
        SCOPED_TRACE(t.text);
        form.FrequencyField().setText(t.text);
        form.FrequencyFieldChanged();
        EXPECT_DOUBLE_EQ(valueOf("Frequency"), t.frequency);
        EXPECT_DOUBLE_EQ(form.FrequencySlider().Value(), t.frequency);
        EXPECT_EQ(form.FrequencyField().palette().color(QPalette::Text) != normal, t.grey);
    }
}

}  // namespace
}  // namespace vantrel::test
