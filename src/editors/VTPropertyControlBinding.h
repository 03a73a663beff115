#pragma once

#include <QPoint>
#include <QRect>
#include <string>

#include "params/SGProperty.h"
#include "params/SGPropertyInfo.h"

class KDControl;
class TContraptionForm;

// Ties one property of the edited processor to one control of an editor window: copies the
// property into the control when asked, and turns the user's changes of the control into
// property writes.
//
// While a binding copies its property into its control it ignores the control's change events:
// a knob reports programmatic changes like user ones, and taking such an echo for an edit would
// write the value back and forget the current preset straight after a recall.
class VTPropertyControlBinding {
public:
    VTPropertyControlBinding(TContraptionForm& form, const std::string& propertyName,
                             int notifierId);
    // By index, for processors whose property names need not be unique (plug-ins).
    VTPropertyControlBinding(TContraptionForm& form, int propertyIndex, int notifierId);
    virtual ~VTPropertyControlBinding() = default;
    VTPropertyControlBinding(const VTPropertyControlBinding&) = delete;
    VTPropertyControlBinding& operator=(const VTPropertyControlBinding&) = delete;

    // Copies the property into the control.
    virtual void updateControl() = 0;
    // updateControl with the binding's own change handling held off.
    void refresh();

    // The control must be refreshed from the property at the next refresh.
    bool pending = false;
    // The form notifier to call after a change; 0 for none.
    const int notifierId;
    // The property's index in the processor's table; -1 when the table has no such name, in
    // which case the binding holds the harmless null property.
    const int propertyIndex;
    TContraptionForm& form;
    SGProperty& property;
    const SGPropertyInfo& info;

protected:
    bool updating() const { return updating_; }
    // After every change the user made through the control: the notifier, then the form's
    // user-edit step.
    void afterUserChange();
    // The units' text for a value (plain digits when the property has no units).
    std::string formatValue(double v) const;
    // The pixel width of the units' widest text for the property's range, in the hint's font.
    int measureHintWidth() const;
    // The control's rectangle on the screen.
    static QRect screenRect(const KDControl& control);
    static QPoint screenPoint(const KDControl& control, int x, int y);

private:
    bool updating_ = false;
};
