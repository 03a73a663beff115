#pragma once

#include <string_view>

// Measures text in the font the controls draw with.
class KDTextMetrics {
public:
    virtual ~KDTextMetrics() = default;
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int TextHeight() const = 0;

    // A fixed-pitch stand-in for controls that have no host yet: 6 pixels a character, 13 high.
    static const KDTextMetrics& Fallback();
};
