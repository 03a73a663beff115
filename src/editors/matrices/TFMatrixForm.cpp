#include "editors/matrices/TFMatrixForm.h"

#include <QLabel>
#include <string>

#include "contraptions/VTContraption.h"
#include "editors/VTGateGrid.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "params/SGPropertyTable.h"
#include "params/SGSignalProcessor.h"

namespace {

std::string gateName(int inlet, int outlet) {
    return "Gate" + std::to_string(inlet) + "_" + std::to_string(outlet);
}

// The matrix size: the number of gates of inlet 0.
int sizeOf(VTContraption& contraption) {
    SGPropertyTable& table = contraption.processor().propertyTable();
    int n = 0;
    while (table.indexOf(gateName(0, n)) >= 0) ++n;
    return n;
}

constexpr int kGridLeft = 44;
constexpr int kGridTop = 8;
constexpr int kCell = 16;
constexpr int kStep = kCell + 1;

}  // namespace

TFMatrixForm::TFMatrixForm(VTContraption& contraption)
    : TContraptionForm(contraption), size_(sizeOf(contraption)) {
    setWindowTitle(QString("%1x%1 Matrix").arg(size_));
    grid_ = new VTGateGrid(size_, size_, kCell, kCell, clientArea());
    grid_->move(kGridLeft, kGridTop);
    addLabel("In:", 6, kGridTop);
    addLabel("out:", 6, kGridTop + size_ * kStep + 4);
    for (int k = 0; k < size_; ++k) {
        addLabel(QString::number(k + 1), kGridLeft - 16, kGridTop + k * kStep, 12, Qt::AlignRight)
            ->setFixedHeight(kCell);
        addLabel(QString::number(k + 1), kGridLeft + k * kStep, kGridTop + size_ * kStep + 4, kCell,
                 Qt::AlignHCenter);
    }

    const int fadeTop = kGridTop + size_ * kStep + 26;
    addLabel("Fade time (ms):", 6, fadeTop)->setFixedHeight(21);
    fadeTime_ = new KDQtHosted<KDNumberEdit>(clientArea());
    fadeTime_->setGeometry(100, fadeTop, 70, 21);
    FadeTimeEdit().SetAutoIncrement(false);
    FadeTimeEdit().SetIncrement(1.0);
    bindNumberEdit(FadeTimeEdit(), "FadeTime");
    setClientSize(std::max(180, kGridLeft + size_ * kStep + 10), fadeTop + 30);

    for (int i = 0; i < size_; ++i)
        for (int o = 0; o < size_; ++o)
            gates_.push_back(&bindNotify([this] { grid_->update(); }, gateName(i, o)).property);
    grid_->isOn = [this](int row, int column) {
        return VTPropertyValue::get(gate(row, column)) != 0.0;
    };
    grid_->OnToggle = [this](int row, int column) {
        SGProperty& g = gate(row, column);
        VTPropertyValue::set(g, VTPropertyValue::get(g) != 0.0 ? 0.0 : 1.0);
        userEdited();
    };
}
