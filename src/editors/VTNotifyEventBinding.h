#pragma once

#include <functional>

#include "editors/VTPropertyControlBinding.h"

// A property shown by the editor's own code (a pair of radio buttons, a picture): refreshing
// the binding calls that code.
class VTNotifyEventBinding : public VTPropertyControlBinding {
public:
    VTNotifyEventBinding(TContraptionForm& form, std::function<void()> callback,
                         const std::string& propertyName, int notifierId)
        : VTPropertyControlBinding(form, propertyName, notifierId), callback(std::move(callback)) {}
    VTNotifyEventBinding(TContraptionForm& form, std::function<void()> callback, int propertyIndex,
                         int notifierId)
        : VTPropertyControlBinding(form, propertyIndex, notifierId),
          callback(std::move(callback)) {}

    void updateControl() override {
        if (callback) callback();
    }

    std::function<void()> callback;
};
