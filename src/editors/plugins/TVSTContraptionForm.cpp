#include "editors/plugins/TVSTContraptionForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>

#include "contraptions/VTContraption.h"
#include "contraptions/VTContraptionMaker.h"
#include "editors/VTSignalLock.h"
#include "library/plugins/VSTPluginText.h"
#include "library/plugins/VSTSignalProcessor.h"

namespace {

constexpr int kNameColumn = 0, kDisplayColumn = 1, kLabelColumn = 2;
constexpr int kRowHeight = 15;

QString pluginText(VSTABI::Effect& effect, std::int32_t opcode, int index, std::size_t limit) {
    return QString::fromStdString(VSTPluginText::read(effect, opcode, index, limit));
}

}  // namespace

TVSTContraptionForm::TVSTContraptionForm(VTContraption& contraption)
    : TContraptionForm(contraption),
      plugin_(dynamic_cast<VSTSignalProcessor*>(&contraption.processor())) {
    setWindowTitle(QString::fromStdString(contraption.maker().name()));
    QWidget* client = clientArea();
    grid_ = new QTableWidget(parameterCount(), 3, client);
    grid_->setGeometry(2, 2, 55 + 55 + 68 + 20, 206);
    grid_->setColumnWidth(kNameColumn, 55);
    grid_->setColumnWidth(kDisplayColumn, 55);
    grid_->setColumnWidth(kLabelColumn, 68);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->viewport()->installEventFilter(this);
    QObject::connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && (column != kNameColumn || row != selected_)) selectRow(row);
    });

    const int captionsLeft = grid_->geometry().right() + 4;
    name_ = addLabel("Name", captionsLeft, 4, 250 - captionsLeft);
    value_ = addLabel("Value", captionsLeft, 20, 250 - captionsLeft);
    label_ = addLabel("Label", captionsLeft, 36, 250 - captionsLeft);
    slider_ = new KDQtHosted<KDDWSlider>(client);
    slider_->setGeometry(captionsLeft + 8, 58, 24, 140);
    Slider().SetMax(1.0);
    Slider().SetMin(0.0);
    Slider().OnChange = [this](KDDWSlider&, double v) { SliderChanged(v); };
    setClientSize(250, 210);

    if (!plugin_) return;
    for (int i = 0; i < parameterCount(); ++i) {
        VSTABI::Effect& effect = plugin_->effect();
        grid_->setItem(i, kNameColumn,
                       new QTableWidgetItem(pluginText(effect, VSTABI::effGetParamName, i, 8)));
        grid_->setItem(i, kDisplayColumn, new QTableWidgetItem());
        grid_->setItem(i, kLabelColumn,
                       new QTableWidgetItem(pluginText(effect, VSTABI::effGetParamLabel, i, 8)));
        readDisplay(i);
        bindNotify([this, i] { refreshParameter(i); }, i);
    }
    if (parameterCount() > 0) selectRow(0);
}

int TVSTContraptionForm::parameterCount() const { return plugin_ ? plugin_->parameterCount() : 0; }

void TVSTContraptionForm::selectRow(int row) {
    if (row < 0 || row >= parameterCount()) return;
    selected_ = row;
    grid_->setCurrentCell(row, kNameColumn);
    showSelected();
}

void TVSTContraptionForm::showSelected() {
    if (selected_ < 0) return;
    name_->setText(grid_->item(selected_, kNameColumn)->text());
    value_->setText(grid_->item(selected_, kDisplayColumn)->text());
    label_->setText(grid_->item(selected_, kLabelColumn)->text());
    VSTABI::Effect& effect = plugin_->effect();
    showing_ = true;
    Slider().SetEnabled(true);
    Slider().SetValue(effect.getParameter ? effect.getParameter(&effect, selected_) : 0.0);
    showing_ = false;
}

void TVSTContraptionForm::readDisplay(int i) {
    grid_->item(i, kDisplayColumn)
        ->setText(pluginText(plugin_->effect(), VSTABI::effGetParamDisplay, i, 9));
}

void TVSTContraptionForm::SliderChanged(double v) {
    if (showing_ || selected_ < 0 || grid_->currentColumn() != kNameColumn) return;
    VSTABI::Effect& effect = plugin_->effect();
    // Straight to the plug-in: the property hears of it through the plug-in's automation.
    if (effect.setParameter) effect.setParameter(&effect, selected_, float(v));
    readDisplay(selected_);
    value_->setText(grid_->item(selected_, kDisplayColumn)->text());
}

void TVSTContraptionForm::refreshParameter(int i) {
    if (!plugin_ || i >= parameterCount()) return;
    {
        VTSignalLock lock(plugin_->context());
        SGDoubleProperty& p = plugin_->parameter(i);
        VSTABI::Effect& effect = plugin_->effect();
        if (p.testAndClearChanged() && effect.setParameter)
            effect.setParameter(&effect, i, float(p.value()));
    }
    readDisplay(i);
    if (i == selected_) showSelected();
}

bool TVSTContraptionForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            const int row = grid_->rowAt(press->position().toPoint().y());
            if (row >= 0) popupParameterMenu(press->globalPosition().toPoint(), row);
            return true;
        }
    }
    return TContraptionForm::eventFilter(watched, event);
}
