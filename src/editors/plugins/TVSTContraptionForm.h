#pragma once

#include <QPoint>

#include "editors/TContraptionForm.h"
#include "ui/KDDWSlider.h"
#include "ui/qt/KDQtHosted.h"

class QLabel;
class QTableWidget;
class VSTSignalProcessor;

// A hosted plug-in's generic editor: a row per parameter with its name, the plug-in's own
// display of the value and the value's label; beside it the selected parameter's three texts
// and a slider that sets the value in the plug-in directly.
class TVSTContraptionForm : public TContraptionForm {
public:
    explicit TVSTContraptionForm(VTContraption& contraption);

    QTableWidget& Grid() const { return *grid_; }
    QLabel& NameCaption() const { return *name_; }
    QLabel& ValueCaption() const { return *value_; }
    QLabel& LabelCaption() const { return *label_; }
    KDDWSlider& Slider() const { return slider_->control(); }
    int selectedRow() const { return selected_; }

    // Selects a parameter's row (always in its first column).
    void selectRow(int row);
    // The slider moved by the user: the plug-in takes the value at once.
    void SliderChanged(double value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Parameter i refreshed (a controller, a preset, a document): the plug-in gets a changed
    // value at once, and the row shows what the plug-in makes of it.
    void refreshParameter(int i);
    void readDisplay(int i);
    void showSelected();
    int parameterCount() const;

    VSTSignalProcessor* plugin_;
    QTableWidget* grid_;
    QLabel* name_;
    QLabel* value_;
    QLabel* label_;
    KDQtHosted<KDDWSlider>* slider_;
    int selected_ = -1;
    bool showing_ = false;
};
