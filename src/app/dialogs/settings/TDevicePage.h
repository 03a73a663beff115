#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class TDeviceGrid;

// One direction's page of the settings dialog: the device grid, the buffer size and count lists
// with the buffer and total latency they give, and (for output) the "Overdrive" box.
class TDevicePage : public QWidget {
    Q_OBJECT
public:
    TDevicePage(const QString& group, const QStringList& rowNames, bool withOverdrive,
                QWidget* parent = nullptr);

    TDeviceGrid& Grid() const { return *grid_; }
    QComboBox& SizeList() const { return *sizes_; }
    QComboBox& CountList() const { return *counts_; }
    QLabel& BufferLabel() const { return *buffer_; }
    QLabel& LatencyLabel() const { return *latency_; }
    QCheckBox* OverdriveBox() const { return overdrive_; }

    // Selects the entries equal to the stream's values; a value no entry matches selects none
    // and stays the page's value until the user picks one.
    void ShowBuffers(int size, int count);
    void SelectSize(int size);
    int ChosenSize() const;
    int ChosenCount() const;

    static QString BufferText(int size);
    static QString LatencyText(int size, int count);

Q_SIGNALS:
    void Changed();

private:
    void UpdateLabels();

    TDeviceGrid* grid_;
    QComboBox* sizes_;
    QComboBox* counts_;
    QLabel* buffer_;
    QLabel* latency_;
    QCheckBox* overdrive_ = nullptr;
    int size_ = 0;
    int count_ = 0;
};
