#pragma once

#include <QFrame>
#include <memory>

#include "ui/KDScrollingCanvas.h"
#include "ui/qt/KDQtControlWidget.h"

class QScrollBar;

// Shows a KDScrollingCanvas with its two scroll bars. The bars never move the view
// themselves: each scroll request goes to the canvas, which moves its content, and the bars
// are then set from the canvas's state. They stay visible, disabled when not needed.
class KDQtScrollingCanvasWidget : public QFrame {
public:
    explicit KDQtScrollingCanvasWidget(std::unique_ptr<KDScrollingCanvas> canvas,
                                       QWidget* parent = nullptr);
    ~KDQtScrollingCanvasWidget() override;

    KDScrollingCanvas& Canvas() const { return *canvas_; }
    KDQtControlWidget* Viewport() const { return viewport_; }
    QScrollBar* HorizontalBar() const { return horz_; }
    QScrollBar* VerticalBar() const { return vert_; }

private:
    void Connect(QScrollBar* bar, KDScrollBarKind kind);
    void SyncBars();

    std::unique_ptr<KDScrollingCanvas> canvas_;
    KDQtControlWidget* viewport_;
    QScrollBar* horz_;
    QScrollBar* vert_;
    bool syncing_ = false;
};
