#include "platform/KDMemoryClipboard.h"

std::string KDMemoryClipboard::text(std::size_t maxChars) const {
    if (!hasText_) return {};
    return text_.substr(0, maxChars);
}

void KDMemoryClipboard::setText(std::string_view text) {
    // The clipboard holds zero-terminated text: whatever follows a NUL never arrives.
    const auto nul = text.find('\0');
    text_.assign(text.substr(0, nul));
    hasText_ = true;
}

void KDMemoryClipboard::clear() {
    text_.clear();
    hasText_ = false;
}
