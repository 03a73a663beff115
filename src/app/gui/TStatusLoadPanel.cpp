#include "app/gui/TStatusLoadPanel.h"

#include <QPainter>

TStatusLoadPanel::TStatusLoadPanel(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kWidth);
    setMinimumHeight(fontMetrics().height() + 4);
}

void TStatusLoadPanel::Show(const std::string& text, bool overloaded) {
    text_ = QString::fromStdString(text);
    overloaded_ = overloaded;
    active_ = true;
    update();
}

void TStatusLoadPanel::Clear() {
    text_.clear();
    overloaded_ = false;
    active_ = false;
    update();
}

QColor TStatusLoadPanel::TextColor() const {
    return overloaded_ ? QColor(Qt::red) : palette().color(QPalette::ButtonText);
}

void TStatusLoadPanel::paintEvent(QPaintEvent*) {
    if (!active_) return;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(TextColor());
    p.drawText(rect().adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text_);
}
