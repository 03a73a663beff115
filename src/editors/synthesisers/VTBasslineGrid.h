#pragma once

#include <QWidget>
#include <functional>

#include "editors/synthesisers/VTBasslinePattern.h"

// The bassline's sequence grid: 16 columns, beat labels over every fourth, rows of gate,
// accent and tie bits (black when set) and a row of note names ("off" for a rest). A press on
// a bit, or Space on the focused bit, toggles it; releasing over a note cell asks for a note.
// The grid shows the pattern `pattern` gives and changes nothing itself.
class VTBasslineGrid : public QWidget {
public:
    enum Row { Gates, Accents, Ties, Notes, kRows };
    static constexpr int kLabelWidth = 44;
    static constexpr int kColumnWidth = 22;
    static constexpr int kBeatHeight = 14;

    explicit VTBasslineGrid(QWidget* parent);

    std::function<VTBasslinePattern()> pattern;
    std::function<void(Row row, int step)> OnToggle;
    std::function<void(int step, QPoint globalPosition)> OnNoteCell;

    QRect cellRect(Row row, int step) const;
    int focusedRow() const { return row_; }
    int focusedStep() const { return step_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The cell under a point; false when there is none.
    bool cellAt(QPoint p, Row& row, int& step) const;
    static int rowTop(Row row);
    static int rowHeight(Row row) { return row == Notes ? 17 : 8; }

    int row_ = Gates;
    int step_ = 0;
};
