#pragma once

#include <string>

class SGPropertyUnits;

// The description of one property: its name, the units that format its values for display and
// the range offered to the user (both 0 for properties without a numeric range).
class SGPropertyInfo {
public:
    SGPropertyInfo(std::string name, const SGPropertyUnits* units, double minimum, double maximum)
        : name(std::move(name)), units(units), minimum(minimum), maximum(maximum) {}
    virtual ~SGPropertyInfo() = default;

    std::string name;
    const SGPropertyUnits* units;
    double minimum;
    double maximum;
};
