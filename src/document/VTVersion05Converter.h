#pragma once

#include <istream>
#include <ostream>
#include <string>

// Rewrites a version 0.5 document as version 0.6 text. Only three kinds changed their
// parameter blocks between the versions:
//   - "SDelay" had its delay-units value last; it moves to the front ({ a, b, c, d, e } becomes
//     { e, a, b, c, d }), in the parameter block and in each of its 20 presets;
//   - "Phaser" and "Flanger" had their frequency range as two separate values, which become one
//     range item ({ x, y, ... } becomes { x y,  ... }).
// Everything else is copied line by line. An entry of those kinds that does not follow its
// old layout is copied as it stands: the 0.6 reader then takes what it can from it.
namespace VTVersion05Converter {

// `in` stands after the 0.5 header line. Writes the 0.6 header and the rewritten text to `out`.
// The "end" line is written only when the old text had one, so a cut-off document stays
// recognisably cut off. Gives false when it had none.
bool convert(std::istream& in, std::ostream& out);

// One "contraptions:" entry, without its leading tab and line end.
std::string convertEntry(const std::string& entry);

}  // namespace VTVersion05Converter
