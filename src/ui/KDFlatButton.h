#pragma once

#include <string>

#include "ui/KDControl.h"

enum KDFlatButtonState { fbsNormal, fbsHot, fbsPressed, fbsPressedAway };
// Glyphs drawn in place of the caption, for the buttons in editor headers.
enum KDFlatGlyph { fgNone, fgClose, fgHelp };

// A flat caption button: flat at rest, raised under the pointer, sunken while pressed or held
// down by its owner. It clicks when released over itself.
class KDFlatButton : public KDControl {
public:
    KDFlatButton(int width = 16, int height = 14) : KDControl(width, height) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    KDFlatGlyph Glyph = fgNone;

    KDFlatButtonState State() const { return state_; }
    bool Down() const { return down_; }
    // Held down by the owner (an editor's pinned state, say); resets the pointer state.
    void SetDown(bool down);

    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;
    void MouseLeave() override;

private:
    std::string caption_;
    void SetState(KDFlatButtonState s);

    KDFlatButtonState state_ = fbsNormal;
    bool down_ = false;
    bool captured_ = false;
};
