#include "app/gui/TMeterToolBar.h"

#include <QAction>
#include <QMenu>

TMeterToolBar::TMeterToolBar(const QString& title, const std::string& first, const std::string& aux,
                             QWidget* parent)
    : QToolBar(title, parent), popup_(new QMenu(this)) {
    setObjectName(title);
    for (int i = 0; i < kMeterCount; ++i) {
        const std::string caption = i == 0 ? first : aux + std::to_string(i);
        auto* meter = new KDQtHosted<KDMeter>(this);
        meter->control().SetCaption(caption);
        meter->control().SetSegmentCount(14);
        meter->control().SetChannelCount(2);
        meter->setToolTip(QString::fromStdString(caption + " Levels"));
        meters_[static_cast<std::size_t>(i)] = meter;
        meterActions_[static_cast<std::size_t>(i)] = addWidget(meter);
        QAction* item = popup_->addAction(QString::fromStdString(caption));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { SetMeterShown(i, !MeterShown(i)); });
        popupItems_[static_cast<std::size_t>(i)] = item;
    }
    SetVertical(false);
    SetShownMask(1);
    connect(popup_, &QMenu::aboutToShow, this, [this] { TickPopup(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { popup_->popup(mapToGlobal(p)); });
}

bool TMeterToolBar::MeterShown(int i) const {
    if (i < 0 || i >= kMeterCount) return false;
    return meterActions_[static_cast<std::size_t>(i)]->isVisible();
}

void TMeterToolBar::SetMeterShown(int i, bool shown) {
    if (i < 0 || i >= kMeterCount) return;
    meterActions_[static_cast<std::size_t>(i)]->setVisible(shown);
}

int TMeterToolBar::ShownMask() const {
    int mask = 0;
    for (int i = 0; i < kMeterCount; ++i)
        if (MeterShown(i)) mask |= 1 << i;
    return mask;
}

void TMeterToolBar::SetShownMask(int mask) {
    for (int i = 0; i < kMeterCount; ++i) SetMeterShown(i, (mask >> i) & 1);
}

void TMeterToolBar::SetVertical(bool vertical) {
    vertical_ = vertical;
    for (auto* meter : meters_) {
        meter->control().SetOrientation(vertical ? trVertical : trHorizontal);
        if (vertical)
            meter->setFixedSize(kShort, kLong);
        else
            meter->setFixedSize(kLong, kShort);
    }
}

void TMeterToolBar::SetLevels(const float* values) {
    for (int i = 0; i < kMeterCount; ++i) {
        Meter(i).SetValues(0, values[2 * i]);
        Meter(i).SetValues(1, values[2 * i + 1]);
    }
}

void TMeterToolBar::ClearLevels() {
    for (int i = 0; i < kMeterCount; ++i) Meter(i).ClearLevels();
}

void TMeterToolBar::TickPopup() {
    for (int i = 0; i < kMeterCount; ++i)
        popupItems_[static_cast<std::size_t>(i)]->setChecked(MeterShown(i));
}
