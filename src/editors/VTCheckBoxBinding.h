#pragma once

#include <QMetaObject>

#include "editors/VTPropertyControlBinding.h"

class QCheckBox;

// A check box bound to a bool property. With checkedMeans false the box is ticked exactly when
// the property is false, and a click writes the opposite of the tick.
class VTCheckBoxBinding : public VTPropertyControlBinding {
public:
    VTCheckBoxBinding(TContraptionForm& form, QCheckBox& control, const std::string& propertyName,
                      bool checkedMeans, int notifierId);
    ~VTCheckBoxBinding() override;

    void updateControl() override;

    QCheckBox& control;
    const bool checkedMeans;

private:
    void clicked();

    QMetaObject::Connection clickConnection_;
    QMetaObject::Connection menuConnection_;
};
