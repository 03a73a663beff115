#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The sound input's and output's file row: an open button with its hint, and a panel for the
// file's name and length beside it.
struct VTFileRow {
    VTFileRow(QWidget* parent, const QString& hint, int x, int y, int panelWidth);

    // The last part of a path, as the panel shows a file.
    static QString fileNameOf(const char* path);

    QPushButton* open;
    QLabel* panel;
};
