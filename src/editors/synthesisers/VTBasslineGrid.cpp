#include "editors/synthesisers/VTBasslineGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "editors/VTGridFocus.h"
#include "params/SGValueFormat.h"

namespace {

const char* const kRowNames[] = {"On/Off", "Accent", "Ties", "Notes"};

bool bitSet(const VTBasslinePattern& p, VTBasslineGrid::Row row, int step) {
    const std::uint32_t bits = row == VTBasslineGrid::Gates     ? p.gates
                               : row == VTBasslineGrid::Accents ? p.accents
                                                                : p.ties;
    return (bits >> step) & 1u;
}

}  // namespace

VTBasslineGrid::VTBasslineGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kLabelWidth + VTBasslinePattern::kSteps * (kColumnWidth + 1) + 1,
                 rowTop(Notes) + rowHeight(Notes) + 1);
}

int VTBasslineGrid::rowTop(Row row) {
    int top = kBeatHeight + 1;
    for (int r = 0; r < row; ++r) top += rowHeight(Row(r)) + 1;
    return top;
}

QRect VTBasslineGrid::cellRect(Row row, int step) const {
    return QRect(kLabelWidth + 1 + step * (kColumnWidth + 1), rowTop(row), kColumnWidth,
                 rowHeight(row));
}

void VTBasslineGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    for (int beat = 0; beat < 4; ++beat)
        p.drawText(cellRect(Gates, beat * 4).left(), kBeatHeight - 3,
                   QString("| %1").arg(beat + 1));
    const VTBasslinePattern shown = pattern ? pattern() : VTBasslinePattern{};
    const QRect gridArea(kLabelWidth, kBeatHeight, width() - kLabelWidth, height() - kBeatHeight);
    p.fillRect(gridArea, palette().color(QPalette::Mid));
    for (int r = 0; r < kRows; ++r) {
        const Row row = Row(r);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, rowTop(row), kLabelWidth - 2, rowHeight(row)),
                   Qt::AlignRight | Qt::AlignVCenter, kRowNames[r]);
        for (int step = 0; step < VTBasslinePattern::kSteps; ++step) {
            const QRect cell = cellRect(row, step);
            p.fillRect(cell, Qt::white);
            if (row == Notes) {
                const int note = shown.notes[step];
                p.setPen(Qt::black);
                p.drawText(cell, Qt::AlignCenter,
                           note == 0 ? QString("off")
                                     : QString::fromStdString(SGValueFormat::noteName(note)));
            } else if (bitSet(shown, row, step)) {
                p.fillRect(cell.adjusted(1, 1, -1, -1), Qt::black);
            }
        }
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(cellRect(Row(row_), step_).adjusted(0, 0, -1, -1));
    }
}

bool VTBasslineGrid::cellAt(QPoint p, Row& row, int& step) const {
    for (int r = 0; r < kRows; ++r)
        for (int s = 0; s < VTBasslinePattern::kSteps; ++s)
            if (cellRect(Row(r), s).contains(p)) {
                row = Row(r);
                step = s;
                return true;
            }
    return false;
}

void VTBasslineGrid::mousePressEvent(QMouseEvent* e) {
    Row row;
    int step;
    if (e->button() != Qt::LeftButton || !cellAt(e->position().toPoint(), row, step)) return;
    row_ = row;
    step_ = step;
    if (row != Notes && OnToggle) OnToggle(row, step);
    update();
}

void VTBasslineGrid::mouseReleaseEvent(QMouseEvent* e) {
    Row row;
    int step;
    if (e->button() != Qt::LeftButton || !cellAt(e->position().toPoint(), row, step)) return;
    if (row == Notes && OnNoteCell) OnNoteCell(step, e->globalPosition().toPoint());
}

void VTBasslineGrid::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space) {
        if (row_ != Notes && OnToggle) OnToggle(Row(row_), step_);
    } else if (!moveGridFocus(e->key(), row_, step_, kRows, VTBasslinePattern::kSteps)) {
        QWidget::keyPressEvent(e);
        return;
    }
    update();
}
