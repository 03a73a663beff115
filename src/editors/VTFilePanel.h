#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class SGProperty;
class TContraptionForm;

// A file button and the panel beside it that shows a contraption's sound file ("File"): the
// button asks for a wave file and stores its short name; the panel shows the stored name, with
// " !" when the file cannot be found, whenever "File" is refreshed.
class VTFilePanel : public QWidget {
public:
    VTFilePanel(TContraptionForm& form, QWidget* parent, const char* property = "File");

    QPushButton& FileButton() const { return *button_; }
    QLabel& Panel() const { return *panel_; }

    // The button's click: asks for a file and, when one is chosen, stores it.
    void chooseFile();

private:
    void show();

    TContraptionForm& form_;
    QPushButton* button_;
    QLabel* panel_;
    SGProperty* file_;
};
