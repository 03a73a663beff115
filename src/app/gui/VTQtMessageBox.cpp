#include "app/gui/VTQtMessageBox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(VTMessageIcon icon) {
    switch (icon) {
        case VTMessageIcon::Warning:
            return QMessageBox::Warning;
        case VTMessageIcon::Stop:
            return QMessageBox::Critical;
        case VTMessageIcon::Information:
            return QMessageBox::Information;
        case VTMessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(VTMessageButtons buttons) {
    switch (buttons) {
        case VTMessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case VTMessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case VTMessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

VTMessageAnswer VTQtMessageBox::ask(const std::string& text, const std::string& caption,
                                    VTMessageButtons buttons, VTMessageIcon icon) {
    QMessageBox box(toQt(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    toQt(buttons), parent_);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return VTMessageAnswer::Yes;
        case QMessageBox::No:
            return VTMessageAnswer::No;
        case QMessageBox::Cancel:
            return VTMessageAnswer::Cancel;
        case QMessageBox::Ok:
            return VTMessageAnswer::Ok;
        default:
            break;
    }
    // Closing the box by its title bar is the safest answer the buttons offer.
    if (buttons == VTMessageButtons::YesNoCancel) return VTMessageAnswer::Cancel;
    if (buttons == VTMessageButtons::YesNo) return VTMessageAnswer::No;
    return VTMessageAnswer::Ok;
}
