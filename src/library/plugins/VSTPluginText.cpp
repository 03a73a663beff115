#include "library/plugins/VSTPluginText.h"

#include <array>

namespace VSTPluginText {

std::string trimmed(std::string_view text, std::size_t limit) {
    std::size_t end = text.find('\0');
    if (end == std::string_view::npos) end = text.size();
    if (end > limit) end = limit;
    std::size_t begin = 0;
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    return std::string(text.substr(begin, end - begin));
}

std::string read(VSTABI::Effect& effect, std::int32_t opcode, std::int32_t index,
                 std::size_t limit) {
    // The last byte is forced to zero whatever the plug-in wrote, so the text always ends.
    std::array<char, kBufferSize> buffer{};
    effect.dispatcher(&effect, opcode, index, 0, buffer.data(), 0.0f);
    buffer.back() = '\0';
    return trimmed(std::string_view(buffer.data(), buffer.size()), limit);
}

}  // namespace VSTPluginText
