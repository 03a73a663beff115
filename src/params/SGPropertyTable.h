#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "params/SGProperty.h"
#include "params/SGPropertyInfo.h"

// A processor's properties, by index (their display and text order) or by exact name. Look-ups
// that match nothing give SGNullProperty, never nothing.
class SGPropertyTable {
public:
    virtual ~SGPropertyTable() = default;

    virtual SGProperty& property(int index) = 0;
    virtual SGProperty& findProperty(const std::string& name) = 0;
    virtual int count() const = 0;
    virtual int indexOf(const std::string& name) const = 0;
    // Valid indices only.
    virtual const SGPropertyInfo& info(int index) const = 0;

    // "{ " values separated by ", " " }". Reading stops at the first value that fails to parse,
    // gives the surplus of a longer list up to its closing brace, and leaves the properties a
    // shorter list does not reach as they were.
    virtual void read(std::istream& in);
    virtual void write(std::ostream& out);
};
