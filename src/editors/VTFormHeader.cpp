#include "editors/VTFormHeader.h"

#include <QMouseEvent>
#include <QPainter>

#include "editors/TContraptionForm.h"
#include "editors/VTPresetButton.h"

VTFormHeader::VTFormHeader(TContraptionForm& form) : QWidget(&form), form_(form) {
    setFixedHeight(kHeight);
    label_ = new QLabel(this);
    QFont f = label_->font();
    f.setPointSize(8);
    f.setBold(true);
    f.setItalic(true);
    label_->setFont(f);
    label_->move(2, 1);
    // Presses on the name fall through to the strip, so dragging the name drags the window.
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    preset_ = new VTPresetButton(form_, this);
    preset_->setFixedSize(21, 13);
    help_ = new KDQtHosted<KDFlatButton>(this);
    help_->setFixedSize(15, 13);
    help_->control().Glyph = fgHelp;
    close_ = new KDQtHosted<KDFlatButton>(this);
    close_->setFixedSize(15, 13);
    close_->control().Glyph = fgClose;
}

void VTFormHeader::resizeEvent(QResizeEvent*) {
    const int group = width() - kControlsWidth;
    preset_->move(group + 21, 1);
    help_->move(group + 42, 1);
    close_->move(group + 57, 1);
    label_->resize(std::max(0, group - 2), kHeight - 3);
}

void VTFormHeader::paintEvent(QPaintEvent*) {
    // The bevel line along the bottom: a shadow line over a light one.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, kHeight - 2, width() - 1, kHeight - 2);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, kHeight - 1, width() - 1, kHeight - 1);
}

void VTFormHeader::mousePressEvent(QMouseEvent* e) {
    form_.raise();
    if (e->button() != Qt::LeftButton) return;
    dragging_ = true;
    form_.beginHeaderDrag(e->position().toPoint());
}

void VTFormHeader::mouseMoveEvent(QMouseEvent* e) {
    // Qt keeps sending moves to the pressed widget while the button is held: the header holds
    // the mouse for the whole drag.
    if (dragging_ && (e->buttons() & Qt::LeftButton)) form_.dragHeader(e->position().toPoint());
}

void VTFormHeader::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) dragging_ = false;
}
