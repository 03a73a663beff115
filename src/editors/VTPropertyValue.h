#pragma once

class SGProperty;

// Reads and writes a property as a number whatever its type, for the bindings: a control shows
// a double, and the property may hold a bool, an int or a double. Properties of other types
// (ranges, texts) read as 0 and ignore writes.
namespace VTPropertyValue {

double get(const SGProperty& property);
// Ints take the value truncated toward zero and limited to their range; bools take v != 0.
void set(SGProperty& property, double v);

}  // namespace VTPropertyValue
