#include "app/dialogs/settings/TDeviceGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalBlocker>

#include "app/dialogs/settings/VTChannelNote.h"

TDeviceGrid::TDeviceGrid(const QStringList& rowNames, QWidget* parent)
    : QTableWidget(kRows, 2, parent), list_(new QComboBox(viewport())) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 90);
    // All eight rows in view at once, each tall enough for the floating list.
    const int rowHeight = list_->sizeHint().height();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumHeight(rowHeight * kRows + 2 * frameWidth());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    for (int r = 0; r < kRows; ++r) {
        auto* name = new QTableWidgetItem(r < rowNames.size() ? rowNames[r] : QString());
        name->setFlags(Qt::ItemIsEnabled);  // only the device cells can be selected
        setItem(r, 0, name);
        setItem(r, 1, new QTableWidgetItem);
    }
    connect(this, &QTableWidget::currentCellChanged, this, [this] { PlaceList(); });
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int i) { ListChosen(i); });
    setCurrentCell(0, 1);
}

void TDeviceGrid::SetDevices(const std::vector<std::string>& names,
                             const std::vector<int>& channels) {
    names_ = names;
    channels_ = channels;
    const QSignalBlocker block(list_);
    list_->clear();
    for (const std::string& n : names_) list_->addItem(QString::fromStdString(n));
    Refresh();
}

void TDeviceGrid::SetChoices(const Choices& choices) {
    choices_ = choices;
    Refresh();
}

QString TDeviceGrid::CellText(int row, int column) const { return item(row, column)->text(); }

void TDeviceGrid::Refresh() {
    for (int r = 0; r < kRows; ++r) {
        const int device = choices_[r];
        const bool listed = device >= 0 && device < static_cast<int>(names_.size());
        const int channels = listed && device < static_cast<int>(channels_.size())
                                 ? channels_[device]
                                 : 0;
        std::string text = " ";
        if (listed) text += names_[device] + VTChannelNote(choices_, r, channels);
        item(r, 1)->setText(QString::fromStdString(text));
    }
    PlaceList();
}

void TDeviceGrid::PlaceList() {
    const int row = currentRow() < 0 ? 0 : currentRow();
    list_->setGeometry(visualItemRect(item(row, 1)));
    const QSignalBlocker block(list_);
    list_->setCurrentIndex(choices_[row]);
    list_->show();
}

void TDeviceGrid::ListChosen(int index) {
    const int row = currentRow() < 0 ? 0 : currentRow();
    if (index < 0 || index == choices_[row]) return;
    choices_[row] = index;
    Refresh();
    Q_EMIT ChoiceChanged();
}

void TDeviceGrid::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    PlaceList();
}

void TDeviceGrid::scrollContentsBy(int dx, int dy) {
    QTableWidget::scrollContentsBy(dx, dy);
    PlaceList();
}
