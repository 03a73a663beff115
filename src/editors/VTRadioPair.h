#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QButtonGroup;
class QRadioButton;
class QWidget;

// Two radio buttons that stand for the two values of one parameter. A click (from the user
// only) reports which button; show() checks one, or neither, without reporting.
class VTRadioPair {
public:
    VTRadioPair(QWidget* parent, const char* first, QPoint firstAt, const char* second,
                QPoint secondAt, std::function<void(int which)> clicked);

    // 0 or 1 checks that button; any other value clears both.
    void show(int which);

    QRadioButton& button(int which) const { return which == 0 ? *first_ : *second_; }

private:
    QRadioButton* first_;
    QRadioButton* second_;
    QButtonGroup* group_;
};
