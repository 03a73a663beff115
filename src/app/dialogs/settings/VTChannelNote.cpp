#include "app/dialogs/settings/VTChannelNote.h"

std::string VTChannelNote(const std::array<int, 8>& devices, int row, int channels) {
    const int device = devices[row];
    // A device that reports no channels has no pairs to show (and nothing to divide by).
    if (device == 0 || channels <= 0) return {};
    int earlier = 0;
    int all = 0;
    for (int r = 0; r < static_cast<int>(devices.size()); ++r) {
        if (devices[r] != device) continue;
        ++all;
        if (r < row) ++earlier;
    }
    const int e = 2 * earlier;
    const int p = 2 * all;
    const int d = channels;
    if (d == 2) return p > 2 ? "  (*)" : "";
    const int n = e % d + 2;
    const bool shared = p >= 2 * d || (p > d && e % d + 1 < p % d);
    return "   (" + std::to_string(n - 1) + ":" + std::to_string(n) + (shared ? "*)" : ")");
}
