#pragma once

#include <string>
#include <vector>

#include "editors/TContraptionForm.h"
#include "ui/KDDWSlider.h"
#include "ui/KDRangeSlider.h"
#include "ui/qt/KDQtHosted.h"

// An editor of labelled horizontal sliders, one row per parameter, the caption to the left of
// its slider. The rows are added top to bottom; the window is sized around them.
class TSliderRowsForm : public TContraptionForm {
public:
    static constexpr int kLabelWidth = 80;
    static constexpr int kSliderWidth = 180;
    static constexpr int kRowHeight = 30;

    explicit TSliderRowsForm(VTContraption& contraption);

    // The sliders in the order they were added (range sliders are kept apart).
    KDDWSlider& Slider(int row) const { return sliders_[row]->control(); }
    QWidget& SliderWidget(int row) const { return *sliders_[row]; }
    KDRangeSlider& RangeSlider() const { return range_->control(); }
    QWidget& RangeSliderWidget() const { return *range_; }

protected:
    void addSlider(const char* caption, const std::string& property,
                   KDSliderScale scale = scLinear);
    void addRangeSlider(const char* caption, const std::string& property,
                        KDRangeSliderScale scale = rscLinear);

private:
    // The top of the next row, after placing the caption of this one.
    int nextRow(const char* caption);

    std::vector<KDQtHosted<KDDWSlider>*> sliders_;
    KDQtHosted<KDRangeSlider>* range_ = nullptr;
    int rows_ = 0;
};
