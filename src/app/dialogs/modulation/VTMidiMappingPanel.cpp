#include "app/dialogs/modulation/VTMidiMappingPanel.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/modulation/VTMidiSourceChoice.h"
#include "app/dialogs/modulation/VTMidiSourceGroup.h"
#include "control/VTMidiControlServer.h"

VTMidiMappingPanel::VTMidiMappingPanel(const VTModulationContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    for (int which = 0; which < 2; ++which) {
        auto* group = new VTMidiSourceGroup(this);
        group->setObjectName(which == 0 ? "SourceGroup1" : "SourceGroup2");
        groups_[static_cast<std::size_t>(which)] = group;
        column->addWidget(group);
        connect(group, &VTMidiSourceGroup::sourceEdited, this,
                [this, which](int type, int channel, int number) {
                    applySource(which, {static_cast<std::uint8_t>(type), channel, number});
                });
        connect(group, &VTMidiSourceGroup::learnToggled, this,
                [this, which](bool pressed) { learnToggledByHand(which, pressed); });
    }
    column->addStretch(1);
    setParameter(std::nullopt);
}

VTMidiMappingPanel::~VTMidiMappingPanel() { forgetLearnTarget(); }

void VTMidiMappingPanel::setParameter(std::optional<VTMappedParameter> parameter) {
    releaseLearn();
    parameter_ = parameter;
    if (parameter_ && !parameterIsLive()) parameter_.reset();
    const bool range = hasTwoGroups();
    group(0).setTitle(range ? "MIDI Control Source ( Center Value )" : "MIDI Control Source");
    group(1).setTitle("MIDI Control Source ( Width )");
    group(1).setVisible(range);
    showSources();
    updateLearnAvailability();
}

void VTMidiMappingPanel::showSources() {
    if (parameter_ && !parameterIsLive()) {
        setParameter(std::nullopt);
        return;
    }
    for (int which = 0; which < 2; ++which) {
        VTMidiControlClient* client = parameter_ ? parameter_->source(which) : nullptr;
        group(which).showSource(client ? client->getSource() : VTMidiSource{});
        group(which).setEnabled(client != nullptr);
    }
}

void VTMidiMappingPanel::updateLearnAvailability() {
    const bool on = context_.controllersEnabled && context_.controllersEnabled();
    if (!on) releaseLearn();
    for (int which = 0; which < 2; ++which) group(which).setLearnAvailable(on);
}

bool VTMidiMappingPanel::parameterIsLive() const {
    return parameter_ && parameter_->isLiveIn(context_.document ? context_.document() : nullptr);
}

void VTMidiMappingPanel::applySource(int which, const VTMidiSource& source) {
    // The contraption may have gone with the patch while the window stayed open.
    if (!parameterIsLive()) {
        setParameter(std::nullopt);
        return;
    }
    VTMidiControlClient* client = parameter_->source(which);
    if (!client) return;
    client->setSource(source);
    group(which).showSource(client->getSource());
    Q_EMIT mappingChanged();
}

void VTMidiMappingPanel::pressLearn(int which) {
    if (!parameter_ || !(context_.controllersEnabled && context_.controllersEnabled())) return;
    if (which == 1 && !hasTwoGroups()) return;
    group(1 - which).setLearnPressed(false);
    group(which).setLearnPressed(true);
    learning_ = which;
    if (context_.server) context_.server->setLearnTarget(this);
}

void VTMidiMappingPanel::releaseLearn() {
    for (int which = 0; which < 2; ++which)
        if (groups_[static_cast<std::size_t>(which)]) group(which).setLearnPressed(false);
    if (learning_ < 0) return;
    learning_ = -1;
    forgetLearnTarget();
}

void VTMidiMappingPanel::forgetLearnTarget() {
    if (!context_.server) return;
    // Another window may be learning now; its request stays. A target the server has just
    // taken is waited for, so no call reaches a panel that is gone.
    VTMidiLearnTarget* target = context_.server->learnTarget();
    if (target == this || target == nullptr) context_.server->clearLearnTarget();
}

void VTMidiMappingPanel::learnToggledByHand(int which, bool pressed) {
    if (pressed) {
        pressLearn(which);
        if (learning_ == which)
            Q_EMIT learnPressedByHand(which);
        else
            group(which).setLearnPressed(false);
    } else {
        releaseLearn();
    }
}

void VTMidiMappingPanel::midiControllerLearned(int controlKey) {
    // The panel outlives the queued call only if it is still there: Qt drops calls to a
    // destroyed context object.
    QMetaObject::invokeMethod(
        this, [this, controlKey] { applyLearnedKey(controlKey); }, Qt::QueuedConnection);
}

void VTMidiMappingPanel::applyLearnedKey(int controlKey) {
    const int which = learning_;
    if (which < 0) return;
    learning_ = -1;
    group(which).setLearnPressed(false);
    applySource(which, VTMidiSourceChoice::fromKey(controlKey));
    if (parameter_) Q_EMIT sourceLearned(which);
}

void VTMidiMappingPanel::hideEvent(QHideEvent* event) {
    releaseLearn();
    QWidget::hideEvent(event);
}
