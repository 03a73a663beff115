#pragma once

#include <string>

#include "platform/VTMessageBox.h"

class QWidget;

// Messages and questions as Qt message boxes, over the given parent window.
class VTQtMessageBox : public VTMessageBox {
public:
    explicit VTQtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    VTMessageAnswer ask(const std::string& text, const std::string& caption,
                        VTMessageButtons buttons, VTMessageIcon icon) override;

private:
    QWidget* parent_;
};
