#pragma once

#include "editors/VTPropertyControlBinding.h"

// A property that the window lists but shows nowhere; its refresh only runs its notifier.
class VTNullBinding : public VTPropertyControlBinding {
public:
    using VTPropertyControlBinding::VTPropertyControlBinding;
    void updateControl() override {}
};
