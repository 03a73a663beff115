#include "app/shell/VTQtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

VTMessageAnswer VTQtMessageBox::ask(const std::string& text, const std::string& caption,
                                    VTMessageButtons buttons, VTMessageIcon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case VTMessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case VTMessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case VTMessageIcon::Stop: box.setIcon(QMessageBox::Critical); break;
        case VTMessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
        case VTMessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case VTMessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case VTMessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    box.exec();
    // Closing the box with its close button is the safe answer of each set.
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Yes: return VTMessageAnswer::Yes;
        case QMessageBox::No: return VTMessageAnswer::No;
        case QMessageBox::Cancel: return VTMessageAnswer::Cancel;
        case QMessageBox::Ok: return VTMessageAnswer::Ok;
        default: break;
    }
    if (buttons == VTMessageButtons::Ok) return VTMessageAnswer::Ok;
    return buttons == VTMessageButtons::YesNoCancel ? VTMessageAnswer::Cancel : VTMessageAnswer::No;
}
