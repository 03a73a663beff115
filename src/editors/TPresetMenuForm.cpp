#include "editors/TPresetMenuForm.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/qt/KDQtCanvas.h"

TPresetMenuForm::TPresetMenuForm()
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    // A pop-up window gets every mouse event while it is open, wherever the pointer is, and
    // does not take the activation from the editor's window; a press outside it reaches it
    // too, so that it can close.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    const QFontMetrics m(f);
    cellWidth_ = m.horizontalAdvance(QStringLiteral("99  "));
    cellHeight_ = static_cast<int>(m.height() * 1.5);
    setFixedSize(5 * cellWidth_ + 6, 4 * cellHeight_ + 6);

    RecalItem = PopupMenu.addAction("Recall");
    PopupMenu.setDefaultAction(RecalItem);
    PopupMenu.addSeparator();
    StoreItem = PopupMenu.addAction("Store");
    ClearItem = PopupMenu.addAction("Clear");
    PopupMenu.addSeparator();
    CutItem = PopupMenu.addAction("Cut");
    CopyItem = PopupMenu.addAction("Copy");
    PasteItem = PopupMenu.addAction("Paste");
    RecalItem->setData(int(Recall));
    StoreItem->setData(int(Store));
    ClearItem->setData(int(Clear));
    CutItem->setData(int(Cut));
    CopyItem->setData(int(Copy));
    PasteItem->setData(int(Paste));

    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                     [this](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive) applicationDeactivated();
                     });
}

TPresetMenuForm::~TPresetMenuForm() {
    if (loop_) loop_->quit();
}

TPresetMenuForm& TPresetMenuForm::instance() {
    static TPresetMenuForm* menu = [] {
        auto* m = new TPresetMenuForm;
        return m;
    }();
    return *menu;
}

int TPresetMenuForm::hitTest(int x, int y) const {
    if (!(x > 3 && x < width() - 3 && y > 3 && y < height() - 3)) return -1;
    return (y - 3) / cellHeight_ * 5 + (x - 3) / cellWidth_ + 1;
}

QRect TPresetMenuForm::cellRect(int slot) const {
    const int column = (slot - 1) % 5, row = (slot - 1) / 5;
    return {3 + column * cellWidth_, 3 + row * cellHeight_, cellWidth_, cellHeight_};
}

QPoint TPresetMenuForm::fitToScreen(QPoint topLeft, QSize size, QSize screen) {
    int x = topLeft.x(), y = topLeft.y();
    if (x < 0)
        x = 0;
    else if (x + size.width() > screen.width())
        x = screen.width() - size.width();
    if (y < 0)
        y = 0;
    else if (y + size.height() > screen.height())
        y = screen.height() - size.height();
    return {x, y};
}

void TPresetMenuForm::open(int x, int y) {
    const QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1 << 20, 1 << 20);
    move(fitToScreen(QPoint(x, y), size(), screenSize));
    action = None;
    show();
    raise();
}

bool TPresetMenuForm::popup(int x, int y) {
    open(x, y);
    QEventLoop loop;
    loop_ = &loop;
    if (isVisible()) loop.exec();
    loop_ = nullptr;
    closeMenu();
    return action != None;
}

void TPresetMenuForm::closeMenu() { hide(); }

void TPresetMenuForm::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (loop_) loop_->quit();
}

void TPresetMenuForm::applicationDeactivated() {
    if (isVisible() && !contextOpen_) closeMenu();
}

void TPresetMenuForm::highlight(int slot) {
    if (slot == highlighted) return;
    const int previous = highlighted;
    highlighted = slot;
    if (previous >= 1) update(cellRect(previous));
    if (slot >= 1) update(cellRect(slot));
}

void TPresetMenuForm::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    highlight(hitTest(p.x(), p.y()));
}

void TPresetMenuForm::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (p.x() <= 0 || p.x() >= width() || p.y() <= 0 || p.y() >= height()) {
        closeMenu();
        return;
    }
    // A press always lands where the pointer last moved to; take the cell under it in case the
    // move was not reported.
    highlight(hitTest(p.x(), p.y()));
    if (e->button() == Qt::RightButton && highlighted >= 1)
        openContextMenu(e->globalPosition().toPoint());
}

void TPresetMenuForm::openContextMenu(QPoint screenPosition) {
    const bool set = highlighted >= 1 && highlighted <= 20 && filled[std::size_t(highlighted)];
    RecalItem->setEnabled(set);
    ClearItem->setEnabled(set);
    CutItem->setEnabled(set);
    CopyItem->setEnabled(set);
    StoreItem->setEnabled(true);
    PasteItem->setEnabled(pasteAvailable);
    contextOpen_ = true;
    QAction* chosen = PopupMenu.exec(screenPosition);
    contextOpen_ = false;
    if (chosen && chosen->isEnabled()) {
        action = static_cast<std::uint8_t>(chosen->data().toInt());
        closeMenu();
        return;
    }
    // Dismissed without a choice: the grid stays open and has the mouse again.
}

void TPresetMenuForm::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    if (!rect().contains(p)) return;
    if (highlighted >= 1 && highlighted <= 20 && filled[std::size_t(highlighted)]) action = Recall;
    closeMenu();
}

void TPresetMenuForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    KDQtCanvas canvas(painter, palette(), font());
    KDCanvas& c = canvas;
    const int W = width(), H = height();
    c.FillRect({0, 0, W, H}, c.Sys(KDSysColor::BtnFace));
    const KDColor light = c.Sys(KDSysColor::BtnHighlight);
    const KDColor shadow = c.Sys(KDSysColor::BtnShadow);
    const KDColor dark = c.Sys(KDSysColor::DkShadow3D);
    c.Line({1, H}, {1, 1}, light);
    c.Line({1, 1}, {W, 1}, light);
    c.Line({W - 2, 1}, {W - 2, H - 2}, shadow);
    c.Line({W - 2, H - 2}, {0, H - 2}, shadow);
    c.Line({W - 1, 0}, {W - 1, H - 1}, dark);
    c.Line({W - 1, H - 1}, {-1, H - 1}, dark);
    for (int n = 1; n <= 20; ++n) {
        const QRect r = cellRect(n);
        const KDRect cell{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        const std::string label = std::to_string(n);
        const int x = cell.left + (cellWidth_ - c.TextWidth(label)) / 2;
        const int y = cell.top + (cellHeight_ - c.TextHeight()) / 2;
        const bool set = filled[std::size_t(n)];
        if (n == highlighted) {
            c.FillRect(cell, c.Sys(KDSysColor::Highlight));
            c.Text(x, y, label, set ? c.Sys(KDSysColor::HighlightText) : shadow);
        } else {
            c.FillRect(cell, c.Sys(KDSysColor::BtnFace));
            if (set) {
                c.Text(x, y, label, c.Sys(KDSysColor::BtnText));
            } else {
                c.Text(x + 1, y + 1, label, light);
                c.Text(x, y, label, shadow);
            }
        }
    }
}
