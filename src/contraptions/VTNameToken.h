#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

// Maker and instance names as they stand in document and clipboard lines: a run of characters
// without whitespace. Names longer than kMaxLength are not names this program ever writes; a
// token that long is refused rather than truncated, so that it can never match by accident.
namespace VTNameToken {

inline constexpr std::size_t kMaxLength = 199;

// Skips whitespace and takes every character up to the next whitespace, which stays in the
// stream. Gives false, with the stream marked failed and `token` empty, when there is no token
// or it is longer than kMaxLength (the rest of an overlong token is consumed).
bool read(std::istream& in, std::string& token);

// Whether a requested name can be an instance name: not empty, at most kMaxLength characters,
// no whitespace and no control characters (it has to survive a round trip through a line).
bool isUsable(std::string_view name);

}  // namespace VTNameToken
