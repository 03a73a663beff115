#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "app/dialogs/modulation/VTMappedParameter.h"
#include "app/dialogs/modulation/VTModulationContext.h"
#include "control/VTMidiControlClient.h"
#include "control/VTMidiLearnTarget.h"

class VTMidiSourceGroup;

// The source groups of one mapped parameter, shared by both mapping windows: one group, or two
// for a range parameter (centre and width). Every edit and every learned controller is applied
// to the controller at once. While a quick-map button is pressed the panel is the control
// server's learn target; releasing the button, hiding the panel or destroying it ends that.
class VTMidiMappingPanel : public QWidget, public VTMidiLearnTarget {
    Q_OBJECT
public:
    explicit VTMidiMappingPanel(const VTModulationContext& context, QWidget* parent = nullptr);
    ~VTMidiMappingPanel() override;

    // Shows the parameter's controller, made if it is new; none empties and disables the groups.
    void setParameter(std::optional<VTMappedParameter> parameter);
    const std::optional<VTMappedParameter>& parameter() const { return parameter_; }
    // Shows the sources again (another window may have changed them), learning on.
    void showSources();
    bool hasTwoGroups() const { return parameter_ && parameter_->isRange(); }

    VTMidiSourceGroup& group(int which) const { return *groups_[static_cast<std::size_t>(which)]; }

    // Presses a group's quick-map button as the program; nothing happens while MIDI controllers
    // are off or no parameter is shown.
    void pressLearn(int which);
    void releaseLearn();
    // The group whose button is pressed, or -1.
    int learningGroup() const { return learning_; }
    // Enables the quick-map buttons after the MIDI controllers' switch.
    void updateLearnAvailability();

    // MIDI thread: hands the key over to the user-interface thread.
    void midiControllerLearned(int controlKey) override;
    // The key a learning group takes as its source.
    void applyLearnedKey(int controlKey);

Q_SIGNALS:
    // The user pressed a quick-map button.
    void learnPressedByHand(int which);
    void sourceLearned(int which);
    // A source was set, by hand or by learning.
    void mappingChanged();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    bool parameterIsLive() const;
    void applySource(int which, const VTMidiSource& source);
    void learnToggledByHand(int which, bool pressed);
    void forgetLearnTarget();

    VTModulationContext context_;
    std::array<VTMidiSourceGroup*, 2> groups_{};
    std::optional<VTMappedParameter> parameter_;
    int learning_ = -1;
};
