#include "ui/KDMeter.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "ui/KDBevel.h"

namespace {
constexpr KDColor kDarkGreen{0, 128, 0};
constexpr KDColor kGreen{0, 255, 0};
constexpr KDColor kYellow{255, 255, 0};
constexpr KDColor kRed{255, 0, 0};
constexpr KDColor kBackground{0, 0, 0};
}  // namespace

int KDMeter::LitSegments(float level, int n) {
    // A negative level is taken as its magnitude; NaN lights nothing.
    const float v = std::fabs(level);
    if (v >= 1.0f) return n;
    if (!(v > 0.0f)) return 0;
    const unsigned divisor = (1u << (n - 1)) - 1u;
    const unsigned b = unsigned(v * float(divisor));
    return int(std::bit_width(b));
}

KDColor KDMeter::SegmentColor(int i, int n) {
    if (i == 0 && n > 1) return kDarkGreen;
    if (i == n - 1) return kRed;
    const int a = n - 1;
    const int darkGreen = int(a * 4.0 / 9.0 + 0.5);
    const int green = int(a / 3.0 + 0.5);
    const int yellow = int(a * 5.0 / 18.0 + 1.0);
    if (i < darkGreen) return kDarkGreen;
    if (i < darkGreen + green) return kGreen;
    if (i < darkGreen + green + yellow) return kYellow;
    return kRed;
}

KDColor KDMeter::DarkColor(int i, int n) {
    const KDColor c = SegmentColor(i, n);
    return {std::uint8_t(c.r / 5 + 16), std::uint8_t(c.g / 5 + 16), std::uint8_t(c.b / 5 + 16)};
}

float KDMeter::Values(int channel) const {
    return channel >= 0 && channel < channelCount_ ? levels_[channel] : 0.0f;
}

int KDMeter::LitCount(int channel) const {
    return channel >= 0 && channel < channelCount_ ? lit_[channel] : 0;
}

KDRect KDMeter::SegmentRect(int channel, int i) const {
    const bool vertical = orientation_ == trVertical;
    const int length = vertical ? Height() : Width();
    const int across = vertical ? Width() : Height();
    const int seg = std::max((length - 4) / segmentCount_, 1);
    const int band = std::max((across - 4) / channelCount_, 1);
    // One pixel between segments, and between channels.
    const int a0 = 2 + i * seg, a1 = a0 + std::max(seg - 1, 1);
    const int c0 = 2 + channel * band;
    const int c1 = c0 + (channel < channelCount_ - 1 ? std::max(band - 1, 1) : band);
    if (vertical) return {c0, Height() - a1, c1, Height() - a0};
    return {a0, c0, a1, c1};
}

void KDMeter::SetValues(int channel, float level) {
    if (channel < 0 || channel >= channelCount_) return;
    levels_[channel] = level;
    const int old = lit_[channel];
    const int now = LitSegments(level, segmentCount_);
    if (now == old) return;
    lit_[channel] = now;
    const int lo = std::min(old, now), hi = std::max(old, now) - 1;
    InvalidateRect(SegmentRect(channel, lo).United(SegmentRect(channel, hi)));
}

void KDMeter::ClearLevels() {
    levels_.fill(0.0f);
    lit_.fill(0);
    Invalidate();
}

void KDMeter::SetOrientation(KDMeterOrientation o) {
    orientation_ = o;
    Rebuild();
}

void KDMeter::SetSegmentCount(int n) {
    segmentCount_ = std::clamp(n, 1, kMaxSegments);
    Rebuild();
}

void KDMeter::SetChannelCount(int n) {
    channelCount_ = std::clamp(n, 1, kMaxChannels);
    Rebuild();
}

void KDMeter::Rebuild() {
    // The scale may have changed: every channel's lit count follows from its level again.
    for (int ch = 0; ch < kMaxChannels; ++ch)
        lit_[ch] = ch < channelCount_ ? LitSegments(levels_[ch], segmentCount_) : 0;
    Invalidate();
}

void KDMeter::PaintCaption(KDCanvas& c, const KDRect& clip, KDColor color) {
    if (caption_.empty() || clip.IsEmpty()) return;
    c.SetClip(clip);
    const int h = c.TextHeight();  // the height of "Wg"
    if (orientation_ == trVertical)
        c.Text((Width() - h) / 2, Height() - 4, caption_, color, KDTextDirection::Up);
    else
        c.Text(4, (Height() - h) / 2, caption_, color);
    c.ClearClip();
}

void KDMeter::Paint(KDCanvas& c) {
    const KDRect all = ClientRect();
    KDBevel::SunkenThin(c, all);
    const KDRect inside = all.Inflated(-1, -1);
    if (!Enabled()) {
        c.FillRect(inside, c.Sys(KDSysColor::BtnFace));
        return;
    }
    c.FillRect(inside, kBackground);
    for (int ch = 0; ch < channelCount_; ++ch) {
        const int lit = lit_[ch];
        for (int i = 0; i < segmentCount_; ++i)
            c.FillRect(SegmentRect(ch, i),
                       i < lit ? SegmentColor(i, segmentCount_) : DarkColor(i, segmentCount_));
    }
    // The caption reads dark over lit segments and light over dark ones: each channel's band
    // is split where its lit segments end.
    const bool vertical = orientation_ == trVertical;
    const int length = vertical ? Height() : Width();
    const int seg = std::max((length - 4) / segmentCount_, 1);
    for (int ch = 0; ch < channelCount_; ++ch) {
        const KDRect s = SegmentRect(ch, 0);
        const int split = 2 + lit_[ch] * seg;  // from the low end
        const int bandLo = vertical ? s.left : s.top;
        const int bandHi =
            bandLo + std::max((vertical ? Width() - 4 : Height() - 4) / channelCount_, 1);
        KDRect litPart, darkPart;
        if (vertical) {
            litPart = {bandLo, Height() - split, bandHi, Height()};
            darkPart = {bandLo, 0, bandHi, Height() - split};
        } else {
            litPart = {0, bandLo, split, bandHi};
            darkPart = {split, bandLo, Width(), bandHi};
        }
        PaintCaption(c, litPart, kdcolors::Black);
        PaintCaption(c, darkPart, KDColor{200, 200, 200});
    }
}
