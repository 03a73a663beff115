#include "editors/VTValueHintWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

VTValueHintWindow::VTValueHintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The status-bar font of the desktop, 8 points, in the tooltip colours.
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, p.color(QPalette::ToolTipText));
    setPalette(p);
    lineHeight_ = QFontMetrics(f).height();
}

int VTValueHintWindow::textWidth(const std::string& text) const {
    return QFontMetrics(font()).horizontalAdvance(QString::fromStdString(text));
}

std::vector<std::string> VTValueHintWindow::splitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (lines.size() == kMaxLines) break;
            lines.emplace_back();
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (lines.back().size() < kMaxLineLength) {
            lines.back() += text[i];
        }
    }
    return lines;
}

QPoint VTValueHintWindow::placement(const QRect& control, QSize hint, QSize screen) {
    // QRect's right() is the last pixel inside; the hint starts just past it.
    int left = control.left() + control.width();
    int top = control.top();
    if (top + hint.height() > screen.height()) top = screen.height() - hint.height();
    if (left + hint.width() > screen.width()) left = control.left() - hint.width() - 6;
    return {std::max(left, 0), top};
}

void VTValueHintWindow::show(const QRect& controlOnScreen, const std::string& text, int width) {
    lines_ = splitLines(text);
    const QSize size(width + 6, lineHeight_ * static_cast<int>(lines_.size()) + 4);
    const QScreen* screen = QGuiApplication::screenAt(controlOnScreen.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1 << 20, 1 << 20);
    setGeometry(QRect(placement(controlOnScreen, size, screenSize), size));
    QWidget::show();
    raise();
    repaint();
}

void VTValueHintWindow::update(const std::string& text) {
    lines_ = splitLines(text);
    QWidget::update();
}

void VTValueHintWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Each line's row is cleared across the whole width, so a shorter text leaves no trace.
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics m(font());
    for (std::size_t i = 0; i < lines_.size(); ++i)
        p.drawText(2, 1 + static_cast<int>(i) * lineHeight_ + m.ascent(),
                   QString::fromStdString(lines_[i]));
}
