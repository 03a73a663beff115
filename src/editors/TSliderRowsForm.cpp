#include "editors/TSliderRowsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kControlHeight = 24;
constexpr int kColumnWidth = TSliderRowsForm::kLabelWidth + TSliderRowsForm::kSliderWidth + kMargin;

}  // namespace

TSliderRowsForm::TSliderRowsForm(VTContraption& contraption)
    : TContraptionForm(contraption), columnLeft_(kMargin), top_(kMargin) {}

int TSliderRowsForm::columnWidth() const { return captionWidth_ + kSliderWidth + kMargin; }

QRect TSliderRowsForm::nextRow(const char* caption) {
    const int top = top_ + kRowHeight * row_++;
    rowsTall_ = std::max(rowsTall_, row_);
    if (caption) addLabel(caption, columnLeft_, top, captionWidth_)->setFixedHeight(kControlHeight);
    setClientSize(std::max(clientArea()->width(), columnLeft_ + columnWidth()),
                  top_ + kRowHeight * rowsTall_ + kMargin);
    return QRect(columnLeft_ + captionWidth_, top, kSliderWidth, kControlHeight);
}

void TSliderRowsForm::startColumn() {
    columnLeft_ += columnWidth() + kMargin;
    row_ = 0;
}

void TSliderRowsForm::placeControl(QWidget* control, const QRect& at) {
    control->setGeometry(at);
    control->show();
}

KDDWSlider& TSliderRowsForm::addSlider(const char* caption, const std::string& property,
                                       KDSliderScale scale) {
    auto* slider = new KDQtHosted<KDDWSlider>(clientArea());
    slider->control().SetOrientation(soHorizontal);
    slider->control().SetScale(scale);
    placeControl(slider, nextRow(caption));
    bindSlider(slider->control(), property);
    sliders_.push_back(slider);
    return slider->control();
}

KDRangeSlider& TSliderRowsForm::addRangeSlider(const char* caption, const std::string& property,
                                               KDRangeSliderScale scale) {
    auto* range = new KDQtHosted<KDRangeSlider>(clientArea());
    range->control().SetOrientation(rsHorizontal);
    range->control().SetScale(scale);
    placeControl(range, nextRow(caption));
    bindRangeSlider(range->control(), property);
    ranges_.push_back(range);
    return range->control();
}

KDNumberEdit& TSliderRowsForm::addNumberField(const char* caption, const std::string& property) {
    auto* edit = new KDQtHosted<KDNumberEdit>(clientArea());
    edit->control().SetAutoIncrement(false);
    edit->control().SetIncrement(1.0);
    edit->control().SetIntegersOnly(true);
    QRect at = nextRow(caption);
    at.setWidth(70);
    placeControl(edit, at);
    bindNumberEdit(edit->control(), property);
    return edit->control();
}

QComboBox& TSliderRowsForm::addList(const char* caption, const QStringList& items) {
    auto* list = new QComboBox(clientArea());
    list->addItems(items);
    QRect at = nextRow(caption);
    at.setWidth(100);
    placeControl(list, at);
    return *list;
}

QCheckBox& TSliderRowsForm::addCheckBox(const char* text) {
    auto* box = new QCheckBox(text, clientArea());
    QRect at = nextRow(nullptr);
    at.moveLeft(columnLeft_);
    at.setWidth(box->sizeHint().width());
    placeControl(box, at);
    return *box;
}
