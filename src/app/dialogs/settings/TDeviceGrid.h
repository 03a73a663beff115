#pragma once

#include <QTableWidget>
#include <array>
#include <string>
#include <vector>

class QComboBox;

// The eight logical inputs or outputs of the engine beside the device each one is given, with
// the channel note of the pair it gets. A drop-down list of the devices floats over the selected
// row's device cell; choosing from it changes that row's choice.
class TDeviceGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 8;
    using Choices = std::array<int, kRows>;

    TDeviceGrid(const QStringList& rowNames, QWidget* parent = nullptr);

    // names[0] is "(None)"; channels[i] is the channel count of names[i].
    void SetDevices(const std::vector<std::string>& names, const std::vector<int>& channels);
    void SetChoices(const Choices& choices);
    const Choices& GetChoices() const { return choices_; }

    QComboBox& DeviceList() const { return *list_; }
    QString CellText(int row, int column) const;

Q_SIGNALS:
    void ChoiceChanged();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Refresh();
    void PlaceList();
    void ListChosen(int index);

    QComboBox* list_;
    std::vector<std::string> names_;
    std::vector<int> channels_;
    Choices choices_{};
};
