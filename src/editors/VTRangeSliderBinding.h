#pragma once

#include "editors/VTPropertyControlBinding.h"
#include "ui/KDRangeSlider.h"

// A range slider bound to a range property: the low thumb is the low value, the high thumb the
// high one. The hint shows both, the high value above the low one.
class VTRangeSliderBinding : public VTPropertyControlBinding {
public:
    VTRangeSliderBinding(TContraptionForm& form, KDRangeSlider& control,
                         const std::string& propertyName, int notifierId);
    ~VTRangeSliderBinding() override;

    void updateControl() override;
    // The two-line hint text of a range: high, a line break, low.
    std::string hintText(double low, double high) const;

    KDRangeSlider& control;
    int hintWidth = 0;

private:
    void changed(double value0, double value1);
    void mouseDown(const KDMouseEvent& e);
};
