#pragma once

#include "platform/KDTextClipboard.h"

// A clipboard held in memory. It starts empty (offering no text); clear() empties it again,
// as when another program puts a picture on the clipboard.
class KDMemoryClipboard : public KDTextClipboard {
public:
    bool hasText() const override { return hasText_; }
    std::string text(std::size_t maxChars = std::string::npos) const override;
    void setText(std::string_view text) override;
    void clear();

private:
    bool hasText_ = false;
    std::string text_;
};
