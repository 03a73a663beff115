#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "editors/TContraptionForm.h"
#include "ui/KDDWSlider.h"
#include "ui/KDNumberEdit.h"
#include "ui/KDRangeSlider.h"
#include "ui/qt/KDQtHosted.h"

class QCheckBox;
class QComboBox;

// An editor of labelled rows, one control per parameter with its caption to the left: sliders
// and range sliders lying horizontally, whole-number fields, lists and check boxes. Rows are
// added top to bottom in columns; the window is sized around them.
class TSliderRowsForm : public TContraptionForm {
public:
    static constexpr int kLabelWidth = 80;
    static constexpr int kSliderWidth = 180;
    static constexpr int kRowHeight = 30;

    explicit TSliderRowsForm(VTContraption& contraption);

    // The sliders and the range sliders, each in the order they were added.
    KDDWSlider& Slider(int k) const { return sliders_[k]->control(); }
    QWidget& SliderWidget(int k) const { return *sliders_[k]; }
    KDRangeSlider& RangeSlider(int k) const { return ranges_[k]->control(); }
    QWidget& RangeSliderWidget(int k) const { return *ranges_[k]; }

protected:
    KDDWSlider& addSlider(const char* caption, const std::string& property,
                          KDSliderScale scale = scLinear);
    KDRangeSlider& addRangeSlider(const char* caption, const std::string& property,
                                  KDRangeSliderScale scale = rscLinear);
    // A range slider's one tick, marking a value worth finding again (no transposition, say).
    static void markAt(KDRangeSlider& slider, double value) {
        slider.SetTickStyle(tsManual);
        slider.AddTick(value);
    }
    // A whole-number field.
    KDNumberEdit& addNumberField(const char* caption, const std::string& property);
    // A list of items; the caller ties it to its parameter.
    QComboBox& addList(const char* caption, const QStringList& items);
    // A check box with its text beside it and no caption; the caller ties it.
    QCheckBox& addCheckBox(const char* text);
    // Rows added from now on go into a new column to the right.
    void startColumn();
    // Where the first row begins (below controls of the editor's own), and how wide captions
    // are; both before the first row.
    void setRowsTop(int top) { top_ = top; }
    void setCaptionWidth(int width) { captionWidth_ = width; }
    // Places the caption of the next row (none: no caption) and gives the rectangle for its
    // control, right of the caption.
    QRect nextRow(const char* caption);
    void placeControl(QWidget* control, const QRect& at);

private:
    int columnWidth() const;

    std::vector<KDQtHosted<KDDWSlider>*> sliders_;
    std::vector<KDQtHosted<KDRangeSlider>*> ranges_;
    int columnLeft_;
    int top_;
    int captionWidth_ = kLabelWidth;
    int row_ = 0;
    int rowsTall_ = 0;
};
