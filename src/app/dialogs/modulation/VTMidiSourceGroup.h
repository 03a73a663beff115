#pragma once

#include <QGroupBox>

#include "control/VTMidiControlClient.h"

class QComboBox;
class QPushButton;
class QSpinBox;

// One MIDI source of a mapping window: the "Controller:" type list, the channel list "1" ...
// "16", the control number and the quick-map button that learns the source from the next
// controller that moves. Every hand edit is reported at once as the complete new source.
class VTMidiSourceGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit VTMidiSourceGroup(QWidget* parent = nullptr);

    // Shows a source without reporting it as an edit.
    void showSource(const VTMidiSource& source);
    VTMidiSource shownSource() const;

    // The button is usable only while MIDI controllers are on.
    void setLearnAvailable(bool available);
    // Presses or releases the button without reporting it.
    void setLearnPressed(bool pressed);
    bool learnPressed() const;

    QComboBox& typeList() const { return *typeList_; }
    QComboBox& channelList() const { return *channelList_; }
    QSpinBox& numberField() const { return *numberField_; }
    QPushButton& quickMapButton() const { return *quickMapButton_; }

Q_SIGNALS:
    void sourceEdited(int type, int channel, int number);
    // The user pressed (true) or released (false) the quick-map button.
    void learnToggled(bool pressed);

private:
    void typeChosen(int entry);
    void reportEdit();
    void enableFields();

    QComboBox* typeList_;
    QComboBox* channelList_;
    QSpinBox* numberField_;
    QPushButton* quickMapButton_;
    bool showing_ = false;
};
