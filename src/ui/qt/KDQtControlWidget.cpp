#include "ui/qt/KDQtControlWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

KDQtControlWidget::KDQtControlWidget(KDControl& control, QWidget* parent)
    : QWidget(parent), control_(control), metrics_(font()) {
    hint_ = QSize(control_.Width(), control_.Height());
    resize(hint_);
    setMouseTracking(true);
    UpdateFocusPolicy();
    // Controls that leave pixels unpainted (the knob's corners) show their parent there.
    control_.SetHost(this);
}

void KDQtControlWidget::UpdateFocusPolicy() {
    if (!control_.AcceptsFocus())
        setFocusPolicy(Qt::NoFocus);
    else
        setFocusPolicy(control_.TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

KDQtControlWidget::~KDQtControlWidget() {
    if (grabbed_) releaseMouse();
    control_.SetHost(nullptr);
}

unsigned KDQtControlWidget::ShiftState(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    unsigned s = ssNone;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

KDMouseEvent KDQtControlWidget::ToMouse(const QMouseEvent* e) const {
    KDMouseEvent m;
    const QPoint p = e->position().toPoint();
    m.x = p.x();
    m.y = p.y();
    switch (e->button()) {
        case Qt::LeftButton:
            m.button = KDMouseButton::Left;
            break;
        case Qt::RightButton:
            m.button = KDMouseButton::Right;
            break;
        case Qt::MiddleButton:
            m.button = KDMouseButton::Middle;
            break;
        default:
            m.button = KDMouseButton::None;
            break;
    }
    m.shift = ShiftState(e->modifiers(), e->buttons());
    return m;
}

bool KDQtControlWidget::ToKey(const QKeyEvent* e, KDKeyEvent& out) {
    out.shift = ShiftState(e->modifiers(), Qt::NoButton);
    const int k = e->key();
    switch (k) {
        case Qt::Key_Up:
            out.key = KDKey::Up;
            return true;
        case Qt::Key_Down:
            out.key = KDKey::Down;
            return true;
        case Qt::Key_Left:
            out.key = KDKey::Left;
            return true;
        case Qt::Key_Right:
            out.key = KDKey::Right;
            return true;
        case Qt::Key_Home:
            out.key = KDKey::Home;
            return true;
        case Qt::Key_End:
            out.key = KDKey::End;
            return true;
        case Qt::Key_Delete:
            out.key = KDKey::Delete;
            return true;
        case Qt::Key_Backspace:
            out.key = KDKey::Backspace;
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            out.key = KDKey::Return;
            return true;
        case Qt::Key_Escape:
            out.key = KDKey::Escape;
            return true;
        case Qt::Key_Shift:
            out.key = KDKey::Shift;
            return true;
        case Qt::Key_Control:
            out.key = KDKey::Ctrl;
            return true;
        case Qt::Key_Alt:
            out.key = KDKey::Alt;
            return true;
        default:
            break;
    }
    // With Ctrl held the text is a control code; letters are passed as themselves.
    if ((e->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z) {
        out.key = KDKey::Character;
        out.ch = char32_t(U'a' + (k - Qt::Key_A));
        return true;
    }
    const QString text = e->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    out.key = KDKey::Character;
    out.ch = char32_t(text.toUcs4().value(0));
    return true;
}

// ---- host services ---------------------------------------------------------------------------

void KDQtControlWidget::Invalidate(const KDRect* area) {
    if (area)
        update(QRect(area->left, area->top, area->Width(), area->Height()));
    else
        update();
}

void KDQtControlWidget::SetMouseCapture(bool capture) {
    // While a button is held Qt already sends every mouse event here; an explicit grab is
    // only needed to follow the pointer without one (a hot flat button watching it leave).
    if (capture) {
        if (!grabbed_ && QApplication::mouseButtons() == Qt::NoButton && isVisible()) {
            grabMouse();
            grabbed_ = true;
        }
    } else if (grabbed_) {
        releaseMouse();
        grabbed_ = false;
    }
}

void KDQtControlWidget::RequestFocus() {
    if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
}

void KDQtControlWidget::SetCursor(KDCursor cursor) {
    switch (cursor) {
        case KDCursor::Default:
            unsetCursor();
            break;
        case KDCursor::SizeNS:
            setCursor(Qt::SizeVerCursor);
            break;
        case KDCursor::SizeWE:
            setCursor(Qt::SizeHorCursor);
            break;
    }
}

void KDQtControlWidget::RequestSize(int width, int height) {
    hint_ = QSize(width, height);
    if (width != this->width()) setFixedWidth(width);
    if (height != this->height()) setFixedHeight(height);
    updateGeometry();
    control_.Resize(this->width(), this->height());
}

// ---- events ----------------------------------------------------------------------------------

void KDQtControlWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    KDQtCanvas canvas(painter, palette(), font());
    control_.Paint(canvas);
}

void KDQtControlWidget::resizeEvent(QResizeEvent*) { control_.Resize(width(), height()); }

void KDQtControlWidget::mousePressEvent(QMouseEvent* e) { control_.MouseDown(ToMouse(e)); }
void KDQtControlWidget::mouseMoveEvent(QMouseEvent* e) { control_.MouseMove(ToMouse(e)); }
void KDQtControlWidget::mouseReleaseEvent(QMouseEvent* e) { control_.MouseUp(ToMouse(e)); }

void KDQtControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // Qt sends the second press as a double click: it is still a press.
    const KDMouseEvent m = ToMouse(e);
    control_.MouseDown(m);
    control_.DblClick(m);
}

void KDQtControlWidget::wheelEvent(QWheelEvent* e) {
    KDWheelEvent w;
    const QPoint p = e->position().toPoint();
    w.x = p.x();
    w.y = p.y();
    w.deltaX = e->angleDelta().x();
    w.deltaY = e->angleDelta().y();
    w.shift = ShiftState(e->modifiers(), e->buttons());
    if (!control_.Wheel(w)) e->ignore();
}

void KDQtControlWidget::keyPressEvent(QKeyEvent* e) {
    KDKeyEvent k;
    if (!ToKey(e, k) || !control_.KeyDown(k)) QWidget::keyPressEvent(e);
}

void KDQtControlWidget::keyReleaseEvent(QKeyEvent* e) {
    KDKeyEvent k;
    if (!ToKey(e, k) || !control_.KeyUp(k)) QWidget::keyReleaseEvent(e);
}

void KDQtControlWidget::focusInEvent(QFocusEvent*) { control_.SetFocused(true); }
void KDQtControlWidget::focusOutEvent(QFocusEvent*) { control_.SetFocused(false); }
void KDQtControlWidget::enterEvent(QEnterEvent*) { control_.MouseEnter(); }
void KDQtControlWidget::leaveEvent(QEvent*) { control_.MouseLeave(); }

void KDQtControlWidget::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) control_.SetEnabled(isEnabled());
    if (e->type() == QEvent::FontChange) {
        metrics_.SetFont(font());
        update();
    }
    QWidget::changeEvent(e);
}
