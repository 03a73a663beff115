#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class VTSettingsStore;

// Offered once after the splash: the introduction to the program. "&Yes" opens the help
// topic of the introduction, "&No" closes; with "Don't display this message in the future"
// ticked the window is not offered again.
class VTWelcomeWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Welcome to Vantrel";
    static constexpr const char* kDontDisplayText = "Don't display this message in the future";

    explicit VTWelcomeWindow(QWidget* parent = nullptr);

    // Shows the window modally unless the user asked not to see it; afterwards creates the
    // marker "Don't Request Initial Help" when the box was ticked. Returns whether it showed.
    static bool offer(VTSettingsStore& store, QWidget* parent = nullptr);

    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }
    QCheckBox* dontDisplayBox() const { return dontDisplay_; }

private:
    QPushButton* yes_;
    QPushButton* no_;
    QCheckBox* dontDisplay_;
};
