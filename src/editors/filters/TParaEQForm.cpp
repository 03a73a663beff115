#include "editors/filters/TParaEQForm.h"

namespace {

constexpr int kKnobSize = 35;
constexpr int kFirstColumnLeft = 50;
constexpr int kColumnStep = 45;
constexpr int kFirstRowTop = 22;
constexpr int kRowStep = 42;

}  // namespace

TParaEQForm::TParaEQForm(VTContraption& contraption) : TContraptionForm(contraption) {
    setWindowTitle("Parametric Equaliser");
    const char* columnCaptions[kColumns] = {"Cf", "Bw", "Gain"};
    for (int column = 0; column < kColumns; ++column)
        addLabel(columnCaptions[column], kFirstColumnLeft + kColumnStep * column - 4, 4,
                 kKnobSize + 8, Qt::AlignHCenter);
    const char* rowCaptions[kRows] = {"Hi:", "Mid1:", "Mid2:", "Low:"};
    for (int row = 0; row < kRows; ++row)
        addLabel(rowCaptions[row], 6, kFirstRowTop + kRowStep * row + 10);

    addKnob(Hi, Cf, "HSCutoffFrequency");
    addKnob(Hi, Gain, "HSGain");
    for (auto [row, band] : {std::pair{Mid1, "BP1"}, std::pair{Mid2, "BP2"}}) {
        addKnob(row, Cf, std::string(band) + "CenterFrequency");
        addKnob(row, Bw, std::string(band) + "Bandwidth");
        addKnob(row, Gain, std::string(band) + "Gain");
    }
    addKnob(Low, Cf, "LSCutoffFrequency");
    addKnob(Low, Gain, "LSGain");
    setClientSize(kFirstColumnLeft + kColumnStep * kColumns, kFirstRowTop + kRowStep * kRows);
}

void TParaEQForm::addKnob(Row row, Column column, const std::string& property) {
    auto* knob = new KDQtHosted<KDDWKnob>(clientArea());
    knob->setGeometry(kFirstColumnLeft + kColumnStep * column, kFirstRowTop + kRowStep * row,
                      kKnobSize, kKnobSize);
    // Frequencies and bandwidths span decades; gains are in decibels already.
    if (column != Gain) knob->control().SetScale(ksLogarithmic);
    bindKnob(knob->control(), property);
    knobs_[row][column] = knob;
}
