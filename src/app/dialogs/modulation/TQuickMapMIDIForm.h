#pragma once

#include <QDialog>

#include "app/dialogs/modulation/VTMappedParameter.h"
#include "app/dialogs/modulation/VTModulationContext.h"

class QPushButton;
class QTimer;
class VTMidiMappingPanel;

// "Quick-Map MIDI Controller": the sources of one parameter, learned from the controllers the
// user moves. Shown with MIDI controllers on, it starts learning at once (automatic mode): the
// first learned controller maps the parameter and closes the window; a range parameter waits
// 300 ms before learning its width, so the controller still moving is not learned twice.
// Pressing a quick-map button by hand ends automatic mode. Mappings apply as they are made, so
// "OK" and "Cancel" only close.
class TQuickMapMIDIForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTwoGroupsHeight = 263;
    static constexpr int kOneGroupHeight = 145;
    static constexpr int kSecondLearnDelayMs = 300;

    explicit TQuickMapMIDIForm(const VTModulationContext& context, QWidget* parent = nullptr);
    ~TQuickMapMIDIForm() override;

    // The parameter the next showing maps; its controller is made if it is new.
    void setParameter(const VTMappedParameter& parameter);

    bool automaticMode() const { return automatic_; }
    VTMidiMappingPanel& panel() const { return *panel_; }
    QPushButton& okButton() const { return *okButton_; }
    QPushButton& cancelButton() const { return *cancelButton_; }
    QTimer& secondLearnTimer() const { return *secondLearn_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void learned(int which);
    void markModified();

    VTModulationContext context_;
    VTMidiMappingPanel* panel_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QTimer* secondLearn_;
    bool automatic_ = false;
};
