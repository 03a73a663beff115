#pragma once

#include "platform/KDTextClipboard.h"

// The desktop's clipboard through Qt. Texts travel as UTF-8; the preset and patch texts the
// program writes are plain ASCII, so a text read back is the text written.
class KDQtTextClipboard : public KDTextClipboard {
public:
    bool hasText() const override;
    std::string text(std::size_t maxChars = std::string::npos) const override;
    void setText(std::string_view text) override;
};
