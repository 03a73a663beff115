#include "editors/mixers/TCrossfaderForm.h"

namespace {

constexpr int kTop = 8;
constexpr int kLabelTop = kTop + TMixerForm::kKnobSize + 2;
constexpr int kFaderHeight = 30;

}  // namespace

TCrossfaderForm::TCrossfaderForm(VTContraption& contraption) : TMixerForm(contraption) {
    setWindowTitle("Crossfader");
    int left = 8;
    auto labelUnder = [this](int x, const char* text) {
        addLabel(text, x - 4, kLabelTop, kKnobSize + 8, Qt::AlignHCenter);
    };
    setMasterKnob(addKnob(left, kTop, "MasterGain"));
    labelUnder(left, "Master");
    left += kChannelStep + 8;
    trimA_ = addKnob(left, kTop, "TrimA");
    labelUnder(left, "1 & 2");
    left += kChannelStep;

    fader_ = new KDQtHosted<KDDWSlider>(clientArea());
    Fader().SetOrientation(soHorizontal);
    fader_->setGeometry(left, kTop + (kKnobSize - kFaderHeight) / 2, kFaderWidth, kFaderHeight);
    bindSlider(Fader(), "Fade");
    addLabel("A", left, kLabelTop);
    addLabel("B", left + kFaderWidth - 10, kLabelTop);
    left += kFaderWidth + 10;

    trimB_ = addKnob(left, kTop, "TrimB");
    labelUnder(left, "3 & 4");
    setClientSize(left + kChannelStep, kLabelTop + 18);
}
