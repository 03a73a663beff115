#pragma once

#include <QWidget>

#include "ui/KDControl.h"
#include "ui/qt/KDQtCanvas.h"

// A QWidget that shows one toolkit-neutral control: it paints the control from paintEvent,
// feeds it Qt's mouse, key, wheel, focus and size events, and does what the control asks of
// its host (repaint, mouse capture, focus, cursor, size).
class KDQtControlWidget : public QWidget, public KDControlHost {
public:
    KDQtControlWidget(KDControl& control, QWidget* parent = nullptr);
    ~KDQtControlWidget() override;

    KDControl& Control() const { return control_; }
    // Takes the control's focus wishes again (after EditTabStop changes, say).
    void UpdateFocusPolicy();

    QSize sizeHint() const override { return hint_; }
    QSize minimumSizeHint() const override { return {4, 4}; }

    // KDControlHost
    void Invalidate(const KDRect* area) override;
    void SetMouseCapture(bool capture) override;
    void RequestFocus() override;
    void SetCursor(KDCursor cursor) override;
    void RequestSize(int width, int height) override;
    const KDTextMetrics& Metrics() const override { return metrics_; }

    // Qt modifiers and buttons as the controls see them.
    static unsigned ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    KDMouseEvent ToMouse(const QMouseEvent* e) const;
    static bool ToKey(const QKeyEvent* e, KDKeyEvent& out);

    KDControl& control_;
    KDQtTextMetrics metrics_;
    QSize hint_;
    bool grabbed_ = false;
};
