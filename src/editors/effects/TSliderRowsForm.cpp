#include "editors/effects/TSliderRowsForm.h"

#include <QLabel>

namespace {

constexpr int kMargin = 8;
constexpr int kSliderHeight = 24;

}  // namespace

TSliderRowsForm::TSliderRowsForm(VTContraption& contraption) : TContraptionForm(contraption) {}

int TSliderRowsForm::nextRow(const char* caption) {
    const int top = kMargin + kRowHeight * rows_++;
    addLabel(caption, kMargin, top, kLabelWidth)->setFixedHeight(kSliderHeight);
    setClientSize(kMargin + kLabelWidth + kSliderWidth + kMargin, top + kRowHeight + kMargin);
    return top;
}

void TSliderRowsForm::addSlider(const char* caption, const std::string& property,
                                KDSliderScale scale) {
    const int top = nextRow(caption);
    auto* slider = new KDQtHosted<KDDWSlider>(clientArea());
    slider->control().SetOrientation(soHorizontal);
    slider->control().SetScale(scale);
    slider->setGeometry(kMargin + kLabelWidth, top, kSliderWidth, kSliderHeight);
    bindSlider(slider->control(), property);
    sliders_.push_back(slider);
}

void TSliderRowsForm::addRangeSlider(const char* caption, const std::string& property,
                                     KDRangeSliderScale scale) {
    const int top = nextRow(caption);
    range_ = new KDQtHosted<KDRangeSlider>(clientArea());
    range_->control().SetOrientation(rsHorizontal);
    range_->control().SetScale(scale);
    range_->setGeometry(kMargin + kLabelWidth, top, kSliderWidth, kSliderHeight);
    bindRangeSlider(range_->control(), property);
}
