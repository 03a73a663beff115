#include "ui/KDPianoKeyboard.h"

#include <algorithm>

#include "ui/KDBevel.h"

namespace {
constexpr int kWhiteAtOrBelow[12] = {0, 0, 2, 2, 4, 5, 5, 7, 7, 9, 9, 11};
constexpr int kWhiteIndex[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr int kWhiteSemitone[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kBlackSemitones[5] = {1, 3, 6, 8, 10};
}  // namespace

KDPianoKeyboard::KDPianoKeyboard(int width, int height) : KDControl(width, height) {
    selected_.reserve(128);
    Select(1, true);
    UpdateGeometry();
}

bool KDPianoKeyboard::IsBlack(int key) {
    const int s = ((key % 12) + 12) % 12;
    return s == 1 || s == 3 || s == 6 || s == 8 || s == 10;
}

// ---- geometry --------------------------------------------------------------------------------

void KDPianoKeyboard::Resized(int, int oldHeight) {
    if (Height() != oldHeight) UpdateGeometry();
}

void KDPianoKeyboard::UpdateGeometry() {
    const int h = Height();
    kw_ = std::max(int((h - 2) * 0.173), 1);
    bw_ = int(kw_ * 0.75);
    if (bw_ % 2 == 0) ++bw_;
    bh_ = int((h - 2) * 0.6);
    if (autoSize_) {
        const int t = std::min(bottomKey_ + keyRange_, 127);
        const int c = std::min(t / 12 * 12 + kWhiteAtOrBelow[t % 12] + 1, 128);
        keyRange_ = c - bottomKey_ - 1;
        RequestSize((c - bottomKey_) * 7 / 12 * kw_ + 3, h);
    }
    offset_ = kw_ * (kWhiteIndex[kWhiteAtOrBelow[bottomKey_ % 12]] + bottomKey_ / 12 * 7);
    Invalidate();
}

int KDPianoKeyboard::BlackPosition(int s) const {
    const int b = bw_ / 2;
    switch (s) {
        case 1:
            return kw_ - b - 1;
        case 3:
            return 2 * kw_ - b + 1;
        case 6:
            return 4 * kw_ - b - 1;
        case 8:
            return 5 * kw_ - b;
        default:
            return 6 * kw_ - b + 1;
    }
}

int KDPianoKeyboard::KeyAt(int x, int y) const {
    if (x <= 1 || x > Width() - 4) return 0;
    const int a = x + offset_;
    const int d = a / kw_;
    if (d >= 127) return 0;
    const int octave = d / 7;
    int key = 0;
    if (y < bh_) {
        const int within = a - octave * 7 * kw_;
        for (int s : kBlackSemitones) {
            const int p = BlackPosition(s);
            if (within >= p && within < p + bw_) {
                key = octave * 12 + s;
                break;
            }
        }
    }
    if (key == 0) key = octave * 12 + kWhiteSemitone[d % 7];
    // Keys outside the shown range (the white key left of a black bottom key) are not keys.
    return key >= 1 && key <= 127 && Shown(key) ? key : 0;
}

KDRect KDPianoKeyboard::KeyRect(int key) const {
    const int octave = key / 12, s = key % 12;
    const int octaveX = octave * 7 * kw_ - offset_;
    if (IsBlack(key)) {
        const int x = octaveX + BlackPosition(s);
        return {x, 1, x + bw_, bh_};
    }
    const int x = octaveX + kWhiteIndex[s] * kw_;
    return {x, 0, x + kw_ + 1, Height()};
}

// ---- properties ------------------------------------------------------------------------------

void KDPianoKeyboard::SetBottomKey(int key) {
    if (key < 1 || key > 127) return;
    bottomKey_ = key;
    for (int k = 1; k < key; ++k) Select(k, false);
    if (inputMode_ == kbSingle && selected_.empty()) Select(key, true);
    UpdateGeometry();
}

void KDPianoKeyboard::SetKeyRange(int range) {
    keyRange_ = std::clamp(range, 0, 127);
    UpdateGeometry();
}

void KDPianoKeyboard::SetAutoSize(bool on) {
    autoSize_ = on;
    UpdateGeometry();
}

void KDPianoKeyboard::SetInputMode(KDKeyboardInputMode mode) {
    const int lowest = selected_.empty() ? bottomKey_ : selected_.front();
    inputMode_ = mode;
    if (mode == kbMomentary) {
        DeselectAll();
    } else if (mode == kbSingle) {
        DeselectAll();
        Select(lowest, true);
    }
}

int KDPianoKeyboard::SelectedKeys(int i) const {
    return i >= 0 && i < int(selected_.size()) ? selected_[i] : 0;
}

int KDPianoKeyboard::SelectedKey() const { return selected_.size() == 1 ? selected_[0] : 0; }

void KDPianoKeyboard::SetSelectedKey(int key) {
    if (selected_.size() > 1 || key < 1 || key > 127) return;
    MakeOnlySelected(key);
}

void KDPianoKeyboard::Select(int key, bool on) {
    if (key < 0 || key > 127 || flags_[key] == on) return;
    flags_[key] = on;
    auto it = std::lower_bound(selected_.begin(), selected_.end(), key);
    if (on)
        selected_.insert(it, key);
    else
        selected_.erase(it);
    InvalidateKey(key);
}

void KDPianoKeyboard::DeselectAll() {
    while (!selected_.empty()) Select(selected_.back(), false);
}

void KDPianoKeyboard::MakeOnlySelected(int key) {
    for (int i = int(selected_.size()) - 1; i >= 0; --i)
        if (selected_[i] != key) Select(selected_[i], false);
    Select(key, true);
}

void KDPianoKeyboard::InvalidateKey(int key) {
    // A key's neighbours overlap it, so they are repainted with it.
    const KDRect r = KeyRect(key);
    InvalidateRect({r.left - kw_, 0, r.right + kw_, Height()});
}

// ---- mouse -----------------------------------------------------------------------------------

void KDPianoKeyboard::MouseDown(const KDMouseEvent& e) {
    if (e.button != KDMouseButton::Left || !Enabled()) {
        FireMouseDown(e);
        return;
    }
    const int key = KeyAt(e.x, e.y);
    if (key == 0) return;
    switch (inputMode_) {
        case kbMomentary:
            Select(key, true);
            break;
        case kbSingle:
            MakeOnlySelected(key);
            break;
        case kbMultiple:
            Select(key, !flags_[key]);
            break;
    }
    tracking_ = true;
    SetMouseCapture(true);
    Changed();
    FireMouseDown(e);
}

void KDPianoKeyboard::MouseMove(const KDMouseEvent& e) {
    if (tracking_ && inputMode_ != kbMultiple) {
        const int key = KeyAt(e.x, e.y);
        if (key != 0 && !flags_[key] && selected_.size() <= 1) {
            MakeOnlySelected(key);
            Changed();
        }
    }
    FireMouseMove(e);
}

void KDPianoKeyboard::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && tracking_) {
        tracking_ = false;
        SetMouseCapture(false);
        if (inputMode_ == kbMomentary && !selected_.empty()) {
            Select(selected_.front(), false);
            Changed();
        }
    }
    FireMouseUp(e);
}

// ---- drawing ---------------------------------------------------------------------------------

void KDPianoKeyboard::Paint(KDCanvas& c) {
    c.FillRect(ClientRect(), c.Sys(KDSysColor::BtnFace));
    const KDColor highlight = c.Sys(KDSysColor::Highlight);
    const int top = TopKey();
    // White keys from the one at or below the bottom key, so the slots line up with the hit
    // test; one below the range is drawn as an empty slot.
    const int first = bottomKey_ / 12 * 12 + kWhiteAtOrBelow[bottomKey_ % 12];
    for (int k = first; k <= top; ++k) {
        if (IsBlack(k)) continue;
        const KDRect r = KeyRect(k);
        if (Shown(k)) {
            c.FillRect(r, flags_[k] ? highlight : kdcolors::White);
            c.FrameRect(r, kdcolors::Black);
        }
    }
    for (int k = std::max(bottomKey_, 1); k <= top; ++k) {
        if (!IsBlack(k)) continue;
        const KDRect r = KeyRect(k);
        c.FillRect(r, flags_[k] ? highlight : kdcolors::Black);
        if (!flags_[k]) {
            // A glint along the lower edge, so black keys read as raised.
            c.Line({r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, KDColor{96, 96, 96});
        }
    }
    KDBevel::SunkenThin(c, ClientRect());
}
