#pragma once

#include <vector>

#include "editors/TContraptionForm.h"
#include "ui/KDNumberEdit.h"
#include "ui/qt/KDQtHosted.h"

class SGProperty;
class VTGateGrid;

// "4x4Matrix" and "8x8Matrix": a grid with a row per inlet and a column per outlet, each cell
// the gate that switches that inlet onto that outlet, and the fade time of the switching.
class TFMatrixForm : public TContraptionForm {
public:
    explicit TFMatrixForm(VTContraption& contraption);

    int size() const { return size_; }
    VTGateGrid& Grid() const { return *grid_; }
    KDNumberEdit& FadeTimeEdit() const { return fadeTime_->control(); }

private:
    SGProperty& gate(int inlet, int outlet) const { return *gates_[inlet * size_ + outlet]; }

    int size_;
    VTGateGrid* grid_;
    KDQtHosted<KDNumberEdit>* fadeTime_;
    std::vector<SGProperty*> gates_;
};

// The editors by the names the makers know them; one form serves both sizes.
class TF4x4MatrixForm : public TFMatrixForm {
public:
    using TFMatrixForm::TFMatrixForm;
};
class TF8x8MatrixForm : public TFMatrixForm {
public:
    using TFMatrixForm::TFMatrixForm;
};
