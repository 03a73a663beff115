#pragma once

#include <QString>

// A number as the editors show lengths and frequencies: its general text cut two digits after
// the point, or with ".00" added when it has none.
inline QString twoDecimalsText(double value) {
    QString text = QString::number(value, 'g', 15);
    const int point = text.indexOf('.');
    return point < 0 ? text + ".00" : text.left(point + 3);
}
