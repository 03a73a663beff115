#include "ui/qt/KDQtScrollingCanvasWidget.h"

#include <QGridLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

KDQtScrollingCanvasWidget::KDQtScrollingCanvasWidget(std::unique_ptr<KDScrollingCanvas> canvas,
                                                     QWidget* parent)
    : QFrame(parent), canvas_(std::move(canvas)) {
    if (canvas_->BorderStyle == KDBorderStyle::bsSingle)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    viewport_ = new KDQtControlWidget(*canvas_, this);
    viewport_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    horz_ = new QScrollBar(Qt::Horizontal, this);
    vert_ = new QScrollBar(Qt::Vertical, this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(viewport_, 0, 0);
    grid->addWidget(vert_, 0, 1);
    grid->addWidget(horz_, 1, 0);
    Connect(horz_, KDScrollBarKind::Horizontal);
    Connect(vert_, KDScrollBarKind::Vertical);
    canvas_->OnScrollBarsChanged = [this] { SyncBars(); };
    SyncBars();
}

KDQtScrollingCanvasWidget::~KDQtScrollingCanvasWidget() {
    canvas_->OnScrollBarsChanged = nullptr;
    delete viewport_;  // before the canvas it shows
}

void KDQtScrollingCanvasWidget::SyncBars() {
    if (syncing_) return;
    syncing_ = true;
    auto sync = [](QScrollBar* q, const KDCanvasScrollBar& m) {
        const QSignalBlocker block(q);
        q->setRange(0, m.MaxPosition());
        q->setPageStep(std::max(m.Page() - 1, 1));
        q->setSingleStep(std::max(int(std::lround(m.Increment / m.Scale())), 1));
        q->setSliderPosition(m.Position());
        q->setValue(m.Position());
        q->setEnabled(m.Enabled());
        q->setTracking(m.Tracking);
    };
    sync(horz_, canvas_->HorzScrollBar);
    sync(vert_, canvas_->VertScrollBar);
    syncing_ = false;
}

void KDQtScrollingCanvasWidget::Connect(QScrollBar* bar, KDScrollBarKind kind) {
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, kind](int action) {
        KDScrollCode code;
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                code = KDScrollCode::LineDown;
                break;
            case QAbstractSlider::SliderSingleStepSub:
                code = KDScrollCode::LineUp;
                break;
            case QAbstractSlider::SliderPageStepAdd:
                code = KDScrollCode::PageDown;
                break;
            case QAbstractSlider::SliderPageStepSub:
                code = KDScrollCode::PageUp;
                break;
            case QAbstractSlider::SliderToMinimum:
                code = KDScrollCode::Top;
                break;
            case QAbstractSlider::SliderToMaximum:
                code = KDScrollCode::Bottom;
                break;
            case QAbstractSlider::SliderMove:
                // Dragging the thumb scrolls only with tracking; otherwise the drop does.
                canvas_->Scroll(kind, KDScrollCode::ThumbTrack, bar->sliderPosition());
                if (kind == KDScrollBarKind::Horizontal ? canvas_->HorzScrollBar.Tracking
                                                        : canvas_->VertScrollBar.Tracking)
                    SyncBars();
                return;
            default:
                return;
        }
        canvas_->Scroll(kind, code);
        canvas_->Scroll(kind, KDScrollCode::EndScroll);
        SyncBars();
    });
    connect(bar, &QAbstractSlider::sliderReleased, this, [this, bar, kind] {
        canvas_->Scroll(kind, KDScrollCode::ThumbPosition, bar->sliderPosition());
        canvas_->Scroll(kind, KDScrollCode::EndScroll);
        SyncBars();
    });
}
