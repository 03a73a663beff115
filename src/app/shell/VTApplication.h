#pragma once

#include <QApplication>

// The program's application object. Its title is "Vantrel"; reals are written and read with a
// point whatever the user's locale says, so documents and numeric fields always agree; and an
// exception that reaches the event loop is shown in a message box while the loop goes on.
class VTApplication : public QApplication {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Vantrel";

    VTApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The C library's number formats ("C") and Qt's default locale (one whose decimal point is
    // "."). QApplication takes the user's locale when it is built, so this runs after it.
    static void useDecimalPoint();
    // Shows what went wrong; the event that raised it is dropped.
    static void showException(const char* what);
};
