#pragma once

#include "platform/VTMessageBox.h"

// The program's message box drawn by Qt, parented to the active window.
class VTQtMessageBox : public VTMessageBox {
public:
    VTMessageAnswer ask(const std::string& text, const std::string& caption,
                        VTMessageButtons buttons, VTMessageIcon icon) override;
};
