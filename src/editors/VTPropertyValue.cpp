#include "editors/VTPropertyValue.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "params/SGBoolProperty.h"
#include "params/SGDoubleProperty.h"
#include "params/SGIntProperty.h"

namespace VTPropertyValue {

double get(const SGProperty& property) {
    if (auto* d = dynamic_cast<const SGDoubleProperty*>(&property)) return d->value();
    if (auto* i = dynamic_cast<const SGIntProperty*>(&property)) return i->value();
    if (auto* b = dynamic_cast<const SGBoolProperty*>(&property)) return b->value() ? 1.0 : 0.0;
    return 0.0;
}

void set(SGProperty& property, double v) {
    if (auto* d = dynamic_cast<SGDoubleProperty*>(&property)) {
        d->setValue(v);
    } else if (auto* i = dynamic_cast<SGIntProperty*>(&property)) {
        // A value outside the int range (or not a number) must not become undefined behaviour.
        constexpr double lo = std::numeric_limits<std::int32_t>::min();
        constexpr double hi = std::numeric_limits<std::int32_t>::max();
        const double t = std::isnan(v) ? 0.0 : std::trunc(v);
        i->setValue(static_cast<std::int32_t>(t < lo ? lo : (t > hi ? hi : t)));
    } else if (auto* b = dynamic_cast<SGBoolProperty*>(&property)) {
        b->setValue(v != 0.0);
    }
}

}  // namespace VTPropertyValue
