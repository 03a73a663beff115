#include "editors/io/VTFileRow.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

VTFileRow::VTFileRow(QWidget* parent, const QString& hint, int x, int y, int panelWidth)
    : open(new QPushButton(parent)), panel(new QLabel(parent)) {
    open->setIcon(parent->style()->standardIcon(QStyle::SP_DialogOpenButton));
    open->setToolTip(hint);
    open->setGeometry(x, y, 28, 24);
    panel->setGeometry(x + 34, y, panelWidth, 24);
}

QString VTFileRow::fileNameOf(const char* path) {
    const QString p = QString::fromUtf8(path ? path : "");
    return p.mid(p.lastIndexOf('/') + 1);
}
