#pragma once

#include <QDialog>

// "About Vantrel": the program's name, version and what it is for.
class VTAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "About Vantrel";

    explicit VTAboutBox(QWidget* parent = nullptr);
};
