#include "ui/qt/KDQtWinSplit.h"

#include <QPainter>

namespace {
// The line that follows a split: drawn over the panes, letting no mouse event stop at it.
class SplitLine : public QWidget {
public:
    explicit SplitLine(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 0, 120));
    }
};
}  // namespace

int KDQtWinSplit::Adapter::TargetSize() const {
    if (!widget) return 0;
    return align == alLeft || align == alRight ? widget->width() : widget->height();
}

void KDQtWinSplit::Adapter::SetTargetSize(int size) {
    if (!widget) return;
    if (align == alLeft || align == alRight)
        widget->setFixedWidth(size);
    else
        widget->setFixedHeight(size);
}

KDQtWinSplit::KDQtWinSplit(QWidget* parent) : KDQtHosted<TWinSplit>(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

KDQtWinSplit::~KDQtWinSplit() {
    QObject::disconnect(destroyed_);
    control().SetTargetControl(nullptr);
}

bool KDQtWinSplit::SetTarget(QWidget* target, KDAlign align) {
    QObject::disconnect(destroyed_);
    adapter_.widget = target;
    adapter_.align = align;
    const bool ok = target && control().SetTargetControl(&adapter_);
    if (!ok) {
        adapter_.widget = nullptr;
        control().SetTargetControl(nullptr);
        return false;
    }
    const bool horizontal = control().Horizontal();
    setSizePolicy(horizontal ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                  horizontal ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    if (horizontal)
        setFixedWidth(3);
    else
        setFixedHeight(3);
    destroyed_ = connect(target, &QObject::destroyed, this,
                         [this] { control().TargetDestroyed(&adapter_); });
    return true;
}

void KDQtWinSplit::Invalidate(const KDRect* area) {
    KDQtControlWidget::Invalidate(area);
    UpdateLine();
}

void KDQtWinSplit::UpdateLine() {
    QWidget* parent = parentWidget();
    if (!parent) return;
    if (!line_) line_ = new SplitLine(parent);
    const TWinSplit& s = control();
    if (!s.Splitting()) {
        line_->hide();
        return;
    }
    QRect r = geometry();
    if (s.Horizontal())
        r.translate(s.LineOffset(), 0);
    else
        r.translate(0, s.LineOffset());
    line_->setGeometry(r);
    line_->raise();
    line_->show();
}
