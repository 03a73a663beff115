#include "ui/KDTextMetrics.h"

namespace {
class FixedMetrics final : public KDTextMetrics {
public:
    int TextWidth(std::string_view text) const override { return 6 * int(text.size()); }
    int TextHeight() const override { return 13; }
};
}  // namespace

const KDTextMetrics& KDTextMetrics::Fallback() {
    static const FixedMetrics metrics;
    return metrics;
}
