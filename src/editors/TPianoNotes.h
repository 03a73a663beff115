#pragma once

#include <QWidget>
#include <functional>

#include "ui/KDPianoKeyboard.h"
#include "ui/qt/KDQtHosted.h"

class QEventLoop;
class QLabel;
class QPushButton;

// The note picker ("Select A Note..."): a piano keyboard centred on the pointer with the
// present note selected and its name beside a "Cancel" button. Releasing the mouse on a key
// closes it with that note; "Cancel", leaving the window or a press outside it closes it with
// -1. The name follows the key under the mouse.
class TPianoNotes : public QWidget {
public:
    // Used instead of the window when set (tests answer the picker).
    using Picker = std::function<int(int bottomKey, int keyCount, int current)>;
    static void setPicker(Picker picker);

    // Runs the picker at a screen point and gives the note chosen, or -1.
    static int pick(QPoint globalCentre, int bottomKey, int keyCount, int current);

    TPianoNotes(int bottomKey, int keyCount, int current);
    ~TPianoNotes() override;

    // Shows the window centred on a screen point, kept inside the screen.
    void open(QPoint globalCentre);
    // The note chosen so far: -1 until a key is released on.
    int result() const { return result_; }
    bool isDone() const { return done_; }

    KDPianoKeyboard& Keyboard() const { return keys_->control(); }
    QWidget& KeyboardWidget() const { return *keys_; }
    QLabel& NameLabel() const { return *name_; }
    QPushButton& CancelButton() const { return *cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void finish(int note);
    void showName(int note);
    static Picker& picker();

    KDQtHosted<KDPianoKeyboard>* keys_;
    QLabel* name_;
    QPushButton* cancel_;
    QEventLoop* loop_ = nullptr;
    int result_ = -1;
    bool done_ = false;
};
