#include "editors/VTRadioPair.h"

#include <QButtonGroup>
#include <QRadioButton>

VTRadioPair::VTRadioPair(QWidget* parent, const char* first, QPoint firstAt, const char* second,
                         QPoint secondAt, std::function<void(int which)> clicked)
    : first_(new QRadioButton(first, parent)),
      second_(new QRadioButton(second, parent)),
      group_(new QButtonGroup(parent)) {
    first_->move(firstAt);
    second_->move(secondAt);
    first_->setChecked(true);
    group_->addButton(first_);
    group_->addButton(second_);
    // clicked comes from the user only; the buttons set by show stay silent.
    QObject::connect(first_, &QRadioButton::clicked, parent, [clicked] { clicked(0); });
    QObject::connect(second_, &QRadioButton::clicked, parent, [clicked] { clicked(1); });
}

void VTRadioPair::show(int which) {
    // Neither checked is a state an exclusive group does not allow.
    group_->setExclusive(false);
    first_->setChecked(which == 0);
    second_->setChecked(which == 1);
    group_->setExclusive(true);
}
