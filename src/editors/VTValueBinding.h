#pragma once

#include "editors/TContraptionForm.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "editors/VTValueHintWindow.h"
#include "ui/KDControl.h"

// A knob or a slider bound to a numeric property. The control takes the property's range; a
// drag writes every new value and shows it formatted in the hint window beside the control; a
// right press opens the parameter pop-up menu for the property.
template <class Control>
class VTValueBinding : public VTPropertyControlBinding {
public:
    VTValueBinding(TContraptionForm& form, Control& control, const std::string& propertyName,
                   int notifierId)
        : VTPropertyControlBinding(form, propertyName, notifierId), control(control) {
        // Raise Max first when the new range lies above the old one, so Min never passes it.
        if (info.minimum > control.Max()) control.SetMax(info.maximum);
        control.SetMin(info.minimum);
        control.SetMax(info.maximum);
        hintWidth = measureHintWidth();
        control.OnChange = [this](Control&, double v) { changed(v); };
        control.OnMouseDown = [this](KDControl&, const KDMouseEvent& e) { mouseDown(e); };
        control.OnMouseUp = [this](KDControl&, const KDMouseEvent&) {
            this->form.hintWindow().hide();
        };
    }
    ~VTValueBinding() override {
        control.OnChange = nullptr;
        control.OnMouseDown = nullptr;
        control.OnMouseUp = nullptr;
    }

    void updateControl() override { control.SetValue(VTPropertyValue::get(property)); }

    Control& control;
    int hintWidth = 0;

private:
    void changed(double v) {
        if (updating()) return;
        VTPropertyValue::set(property, v);
        VTValueHintWindow& hint = form.hintWindow();
        if (hint.isShowing()) hint.update(formatValue(v));
        afterUserChange();
    }

    void mouseDown(const KDMouseEvent& e) {
        if (e.button == KDMouseButton::Left) {
            form.hintWindow().show(screenRect(control),
                                   formatValue(VTPropertyValue::get(property)), hintWidth);
        } else if (e.button == KDMouseButton::Right) {
            form.popupParameterMenu(screenPoint(control, e.x, e.y), propertyIndex);
        }
    }
};
