#include "app/dialogs/settings/TDevicePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/settings/TDeviceGrid.h"

namespace {

constexpr int kSizes[] = {2048, 4096, 8192, 16384, 32768, 65536};
constexpr int kMinCount = 2;
constexpr int kMaxCount = 8;

// Milliseconds of sound in a buffer of 16-bit stereo frames at 44100 Hz, before truncation.
double BufferMs(int size) { return size / 4.0 / 44100.0 * 1000.0; }

void SelectNumber(QComboBox& list, int value) {
    const QSignalBlocker block(&list);
    list.setCurrentIndex(list.findText(QString::number(value)));
}

}  // namespace

TDevicePage::TDevicePage(const QString& group, const QStringList& rowNames, bool withOverdrive,
                         QWidget* parent)
    : QWidget(parent),
      grid_(new TDeviceGrid(rowNames)),
      sizes_(new QComboBox),
      counts_(new QComboBox),
      buffer_(new QLabel),
      latency_(new QLabel) {
    for (int size : kSizes) sizes_->addItem(QString::number(size));
    for (int c = kMinCount; c <= kMaxCount; ++c) counts_->addItem(QString::number(c));

    auto* box = new QGroupBox(group);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel("Devices:"), 0, 0, 1, 3);
    grid->addWidget(grid_, 1, 0, 1, 3);
    grid->addWidget(new QLabel("Buffer size (bytes):"), 2, 0);
    grid->addWidget(sizes_, 2, 1);
    grid->addWidget(buffer_, 2, 2);
    grid->addWidget(new QLabel("Number of buffers per device:"), 3, 0);
    grid->addWidget(counts_, 3, 1);
    grid->addWidget(latency_, 3, 2);
    if (withOverdrive) {
        overdrive_ = new QCheckBox("Overdrive");
        grid->addWidget(overdrive_, 4, 0, 1, 3);
        connect(overdrive_, &QCheckBox::toggled, this, &TDevicePage::Changed);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);

    connect(grid_, &TDeviceGrid::ChoiceChanged, this, &TDevicePage::Changed);
    connect(sizes_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) size_ = sizes_->itemText(i).toInt();
        UpdateLabels();
        Q_EMIT Changed();
    });
    connect(counts_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) count_ = counts_->itemText(i).toInt();
        UpdateLabels();
        Q_EMIT Changed();
    });
}

void TDevicePage::ShowBuffers(int size, int count) {
    size_ = size;
    count_ = count;
    SelectNumber(*sizes_, size);
    SelectNumber(*counts_, count);
    UpdateLabels();
}

void TDevicePage::SelectSize(int size) {
    size_ = size;
    SelectNumber(*sizes_, size);
    UpdateLabels();
}

int TDevicePage::ChosenSize() const { return size_; }
int TDevicePage::ChosenCount() const { return count_; }

QString TDevicePage::BufferText(int size) {
    return QString("( %1 ms )").arg(static_cast<int>(BufferMs(size)));
}

QString TDevicePage::LatencyText(int size, int count) {
    return QString("( Total latency = %1 ms )").arg(static_cast<int>(BufferMs(size) * count));
}

void TDevicePage::UpdateLabels() {
    buffer_->setText(BufferText(size_));
    latency_->setText(LatencyText(size_, count_));
}
