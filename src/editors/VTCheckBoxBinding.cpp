#include "editors/VTCheckBoxBinding.h"

#include <QCheckBox>

#include "editors/TContraptionForm.h"
#include "editors/VTPropertyValue.h"

VTCheckBoxBinding::VTCheckBoxBinding(TContraptionForm& form, QCheckBox& control,
                                     const std::string& propertyName, bool checkedMeans,
                                     int notifierId)
    : VTPropertyControlBinding(form, propertyName, notifierId),
      control(control),
      checkedMeans(checkedMeans) {
    // Only the user's clicks arrive here; setChecked from updateControl does not click.
    clickConnection_ = QObject::connect(&control, &QCheckBox::clicked, [this] { clicked(); });
    control.setContextMenuPolicy(Qt::CustomContextMenu);
    menuConnection_ =
        QObject::connect(&control, &QWidget::customContextMenuRequested, [this](QPoint p) {
            this->form.popupParameterMenu(this->control.mapToGlobal(p), propertyIndex);
        });
}

VTCheckBoxBinding::~VTCheckBoxBinding() {
    QObject::disconnect(clickConnection_);
    QObject::disconnect(menuConnection_);
}

void VTCheckBoxBinding::updateControl() {
    const bool value = VTPropertyValue::get(property) != 0.0;
    control.setChecked(value ? checkedMeans : !checkedMeans);
}

void VTCheckBoxBinding::clicked() {
    if (updating()) return;
    const bool checked = control.isChecked();
    VTPropertyValue::set(property, (checked ? checkedMeans : !checkedMeans) ? 1.0 : 0.0);
    afterUserChange();
}
