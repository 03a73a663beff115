#include "app/shell/VTApplication.h"

#include <QLocale>
#include <clocale>
#include <exception>
#include <string>

#include "platform/VTMessageBox.h"

VTApplication::VTApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(kTitle);
    setApplicationDisplayName(kTitle);
    setApplicationVersion("0.8");
    setOrganizationName("Harlowfen");
    useDecimalPoint();
}

void VTApplication::useDecimalPoint() {
    std::setlocale(LC_NUMERIC, "C");
    // The user's language stays for everything but numbers; Qt keeps one locale for all, so
    // the numbers win: a point, and no thousands separator that a field could not read back.
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(numbers);
}

void VTApplication::showException(const char* what) {
    std::string text = what && *what ? what : "An unexpected error occurred.";
    VTMessageBox::show(text, kTitle, VTMessageButtons::Ok, VTMessageIcon::Stop);
}

bool VTApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException(e.what());
    } catch (...) {
        showException(nullptr);
    }
    return false;
}
