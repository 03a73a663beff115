#include "editors/VTRangeSliderBinding.h"

#include "editors/TContraptionForm.h"
#include "editors/VTValueHintWindow.h"
#include "params/SGRangeProperty.h"

VTRangeSliderBinding::VTRangeSliderBinding(TContraptionForm& form, KDRangeSlider& control,
                                           const std::string& propertyName, int notifierId)
    : VTPropertyControlBinding(form, propertyName, notifierId), control(control) {
    if (info.minimum > control.Max()) control.SetMax(info.maximum);
    control.SetMin(info.minimum);
    control.SetMax(info.maximum);
    hintWidth = measureHintWidth();
    control.OnChange = [this](KDRangeSlider&, double v0, double v1) { changed(v0, v1); };
    control.OnMouseDown = [this](KDControl&, const KDMouseEvent& e) { mouseDown(e); };
    control.OnMouseUp = [this](KDControl&, const KDMouseEvent&) {
        this->form.hintWindow().hide();
    };
}

VTRangeSliderBinding::~VTRangeSliderBinding() {
    control.OnChange = nullptr;
    control.OnMouseDown = nullptr;
    control.OnMouseUp = nullptr;
}

void VTRangeSliderBinding::updateControl() {
    auto* range = dynamic_cast<SGRangeProperty*>(&property);
    if (!range) return;
    const SGFloatRange v = range->value();
    // The low thumb first, then the high one: the slider pushes the other thumb along when
    // one passes it, and this order ends with the range asked for either way.
    control.SetValue0(v.low);
    control.SetValue1(v.high);
    control.SetValue0(v.low);
}

std::string VTRangeSliderBinding::hintText(double low, double high) const {
    return formatValue(high) + "\r\n" + formatValue(low);
}

void VTRangeSliderBinding::changed(double value0, double value1) {
    if (updating()) return;
    if (auto* range = dynamic_cast<SGRangeProperty*>(&property))
        range->setValue(static_cast<float>(value0), static_cast<float>(value1));
    VTValueHintWindow& hint = form.hintWindow();
    if (hint.isShowing()) hint.update(hintText(value0, value1));
    afterUserChange();
}

void VTRangeSliderBinding::mouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left) {
        const auto* range = dynamic_cast<const SGRangeProperty*>(&property);
        const double low = range ? range->low() : 0.0;
        const double high = range ? range->high() : 0.0;
        form.hintWindow().show(screenRect(control), hintText(low, high), hintWidth);
    } else if (e.button == KDMouseButton::Right) {
        form.popupParameterMenu(screenPoint(control, e.x, e.y), propertyIndex);
    }
}
