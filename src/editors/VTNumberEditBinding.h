#pragma once

#include <cmath>
#include <type_traits>

#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"
#include "ui/KDNumberEdit.h"

// A number field bound to an int property (which stores what is typed truncated toward zero)
// or a double one. The field takes the property's range. Number fields have no hint and no
// parameter pop-up menu.
template <class Property, class Value>
class VTNumberEditBinding : public VTPropertyControlBinding {
public:
    VTNumberEditBinding(TContraptionForm& form, KDNumberEdit& control,
                        const std::string& propertyName, int notifierId)
        : VTPropertyControlBinding(form, propertyName, notifierId), control(control) {
        if (info.minimum > control.Max()) control.SetMax(info.maximum);
        control.SetMin(info.minimum);
        control.SetMax(info.maximum);
        control.OnChange = [this](KDNumberEdit&, double v) { changed(v); };
    }
    ~VTNumberEditBinding() override { control.OnChange = nullptr; }

    void updateControl() override { control.SetValue(VTPropertyValue::get(property)); }

    KDNumberEdit& control;

private:
    void changed(double v) {
        if (updating()) return;
        // An int property takes the value truncated toward zero.
        VTPropertyValue::set(property, std::is_integral_v<Value> ? std::trunc(v) : v);
        afterUserChange();
    }
};
