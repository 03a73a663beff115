#pragma once

#include <string>

#include "editors/TContraptionForm.h"
#include "ui/KDDWKnob.h"
#include "ui/qt/KDQtHosted.h"

// "MParaEQ" and "SParaEQ": a row of knobs per section — the high shelf, the two peaking bands
// and the low shelf — in columns for the corner or centre frequency, the bandwidth (bands only)
// and the gain. Every knob takes the range of its property; frequencies turn logarithmically.
class TParaEQForm : public TContraptionForm {
public:
    enum Row { Hi, Mid1, Mid2, Low, kRows };
    enum Column { Cf, Bw, Gain, kColumns };

    explicit TParaEQForm(VTContraption& contraption);

    // The knob of a row and column; none where a shelf has no bandwidth.
    KDQtHosted<KDDWKnob>* KnobAt(Row row, Column column) const { return knobs_[row][column]; }

private:
    void addKnob(Row row, Column column, const std::string& property);

    KDQtHosted<KDDWKnob>* knobs_[kRows][kColumns] = {};
};
