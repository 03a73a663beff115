#include "editors/VTPropertyControlBinding.h"

#include <QWidget>

#include "contraptions/VTContraption.h"
#include "editors/TContraptionForm.h"
#include "editors/VTValueHintWindow.h"
#include "params/SGBoolProperty.h"
#include "params/SGPropertyUnits.h"
#include "params/SGTextIO.h"
#include "ui/KDControl.h"

namespace {

const SGPropertyInfo& nullInfo() {
    static const SGPropertyInfo info("", nullptr, 0.0, 0.0);
    return info;
}

int indexIn(SGPropertyTable& table, const std::string& name) {
    const int index = table.indexOf(name);
    return index >= 0 && index < table.count() ? index : -1;
}

}  // namespace

VTPropertyControlBinding::VTPropertyControlBinding(TContraptionForm& form,
                                                   const std::string& propertyName, int notifierId)
    : VTPropertyControlBinding(
          form, indexIn(form.contraption().processor().propertyTable(), propertyName), notifierId) {
}

VTPropertyControlBinding::VTPropertyControlBinding(TContraptionForm& form, int index,
                                                   int notifierId)
    : notifierId(notifierId),
      propertyIndex(index >= 0 && index < form.contraption().processor().propertyTable().count()
                        ? index
                        : -1),
      form(form),
      property(propertyIndex >= 0
                   ? form.contraption().processor().propertyTable().property(propertyIndex)
                   : static_cast<SGProperty&>(SGNullProperty)),
      info(propertyIndex >= 0 ? form.contraption().processor().propertyTable().info(propertyIndex)
                              : nullInfo()) {}

void VTPropertyControlBinding::refresh() {
    const bool was = updating_;
    updating_ = true;
    updateControl();
    updating_ = was;
}

void VTPropertyControlBinding::afterUserChange() {
    if (notifierId != 0) form.callNotifier(notifierId);
    form.userEdited();
}

std::string VTPropertyControlBinding::formatValue(double v) const {
    return info.units ? info.units->format(v) : SGTextIO::formatFixed(v, 2);
}

int VTPropertyControlBinding::measureHintWidth() const {
    const std::string sample =
        info.units ? info.units->sampleText(info.minimum, info.maximum) : formatValue(info.maximum);
    return form.hintWindow().textWidth(sample);
}

QRect VTPropertyControlBinding::screenRect(const KDControl& control) {
    if (auto* w = dynamic_cast<QWidget*>(control.Host()))
        return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    return QRect(0, 0, control.Width(), control.Height());
}

QPoint VTPropertyControlBinding::screenPoint(const KDControl& control, int x, int y) {
    if (auto* w = dynamic_cast<QWidget*>(control.Host())) return w->mapToGlobal(QPoint(x, y));
    return {x, y};
}
