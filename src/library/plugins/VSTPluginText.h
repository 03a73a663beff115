#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/plugins/VSTPluginABI.h"

// Texts a plug-in writes into a buffer the host gives it (parameter names, display texts,
// labels) and how they are trimmed for showing.
namespace VSTPluginText {

// Room given to the plug-in. The interface asks for short texts, but plug-ins commonly write
// far more than they are asked, so the buffer is generous and cleared first.
constexpr std::size_t kBufferSize = 512;

// Skips leading blanks, cuts the text after `limit` characters counted from the start (leading
// blanks included) and removes trailing blanks. The text ends at its first zero byte.
std::string trimmed(std::string_view text, std::size_t limit);

// Asks the plug-in for a text (effGetParamName, effGetParamDisplay, effGetParamLabel) and gives
// it trimmed. A plug-in that writes nothing gives an empty text.
std::string read(VSTABI::Effect& effect, std::int32_t opcode, std::int32_t index,
                 std::size_t limit);

}  // namespace VSTPluginText
