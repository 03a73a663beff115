#pragma once

#include <array>
#include <functional>
#include <vector>

#include "ui/KDControl.h"

enum KDKeyboardInputMode { kbMomentary, kbSingle, kbMultiple };

// A clickable piano keyboard of MIDI notes 1..127 for picking notes: one at a time (kbSingle),
// held while the button is down (kbMomentary), or a set toggled key by key (kbMultiple).
class KDPianoKeyboard : public KDControl {
public:
    using NotifyEvent = std::function<void(KDPianoKeyboard& sender)>;

    KDPianoKeyboard(int width = 400, int height = 65);

    int BottomKey() const { return bottomKey_; }
    void SetBottomKey(int key);  // ignored outside 1..127
    int KeyRange() const { return keyRange_; }
    void SetKeyRange(int range);
    KDKeyboardInputMode InputMode() const { return inputMode_; }
    void SetInputMode(KDKeyboardInputMode mode);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    int SelectedKeysCount() const { return int(selected_.size()); }
    // The selected keys in ascending order; 0 for an index out of range.
    int SelectedKeys(int i) const;
    // The one selected key, or 0 when none or several are selected.
    int SelectedKey() const;
    // Ignored while more than one key is selected, and for keys outside 1..127.
    void SetSelectedKey(int key);
    bool IsSelected(int key) const { return key >= 0 && key < 128 && flags_[key]; }

    NotifyEvent OnChange;

    int WhiteKeyWidth() const { return kw_; }
    int BlackKeyWidth() const { return bw_; }
    int BlackKeyHeight() const { return bh_; }
    int Offset() const { return offset_; }
    // The note under (x, y), or 0 for none.
    int KeyAt(int x, int y) const;
    // Where a key is drawn.
    KDRect KeyRect(int key) const;
    int TopKey() const { return std::min(bottomKey_ + keyRange_, 127); }

    static bool IsBlack(int key);

    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;

protected:
    void Resized(int oldWidth, int oldHeight) override;

private:
    void UpdateGeometry();
    void Select(int key, bool on);
    void DeselectAll();
    void MakeOnlySelected(int key);
    void InvalidateKey(int key);
    int BlackPosition(int semitone) const;
    bool Shown(int key) const { return key >= bottomKey_ && key <= TopKey(); }
    void Changed() {
        if (OnChange) OnChange(*this);
    }

    int bottomKey_ = 1;
    int keyRange_ = 64;
    KDKeyboardInputMode inputMode_ = kbSingle;
    bool autoSize_ = false;
    std::array<bool, 128> flags_{};
    std::vector<int> selected_;  // ascending; room for every key is kept
    int kw_ = 0;
    int bw_ = 0;
    int bh_ = 0;
    int offset_ = 0;
    bool tracking_ = false;
};
