#include "editors/granulators/VTQuantizeList.h"

#include <QComboBox>

#include "editors/TContraptionForm.h"
#include "editors/VTPropertyControlBinding.h"
#include "editors/VTPropertyValue.h"

const char* const VTQuantizeList::kNames[kItems] = {
    "[none]", "1", "1/2", "1/2t", "1/4", "1/4t", "1/8", "1/8t", "1/16", "1/16t", "1/32", "1/32t"};
const int VTQuantizeList::kClocks[kItems] = {0, 96, 48, 32, 24, 16, 12, 8, 6, 4, 3, 2};

VTQuantizeList::VTQuantizeList(TContraptionForm& form, QComboBox& list) : form_(form), list_(list) {
    list_.clear();
    for (const char* name : kNames) list_.addItem(name);
    clocks_ = &form_.bindNotify([this] { show(); }, "QuantizeClocks").property;
    // activated comes from the user only, never from show.
    QObject::connect(&list_, &QComboBox::activated, &form_, [this](int item) {
        if (item < 0 || item >= kItems) return;
        VTPropertyValue::set(*clocks_, kClocks[item]);
        form_.userEdited();
    });
}

void VTQuantizeList::show() {
    const double clocks = VTPropertyValue::get(*clocks_);
    for (int k = 0; k < kItems; ++k)
        if (kClocks[k] == clocks) list_.setCurrentIndex(k);
}
