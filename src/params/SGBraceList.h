#pragma once

#include <functional>
#include <istream>
#include <ostream>

// The brace list that property tables and presets share: "{ " values separated by ", " " }".
namespace SGBraceList {

using ReadValue = std::function<void(int index, std::istream& in)>;
using WriteValue = std::function<void(int index, std::ostream& out)>;

// Reads up to `count` values after an opening "{"; surplus values are dropped up to the
// closing brace. A missing "{", a separator other than "," or "}", a value that does not parse,
// or input that ends before the closing brace marks the stream failed.
// onEmpty, when given, is called for a list that closes at once ("{ }").
void read(std::istream& in, int count, const ReadValue& readValue,
          const std::function<void()>& onEmpty = {}, const std::function<void()>& beforeFirst = {});

void write(std::ostream& out, int count, const WriteValue& writeValue);

}  // namespace SGBraceList
