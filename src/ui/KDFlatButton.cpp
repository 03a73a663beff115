#include "ui/KDFlatButton.h"

#include "ui/KDBevel.h"

void KDFlatButton::SetState(KDFlatButtonState s) {
    if (s == state_) return;
    state_ = s;
    // While hot or pressed the button keeps the mouse, so it sees the pointer leave.
    const bool capture = s != fbsNormal;
    if (capture != captured_) {
        captured_ = capture;
        SetMouseCapture(capture);
    }
    Invalidate();
}

void KDFlatButton::SetDown(bool down) {
    if (captured_) {
        captured_ = false;
        SetMouseCapture(false);
    }
    state_ = fbsNormal;
    down_ = down;
    Invalidate();
}

void KDFlatButton::MouseDown(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && Enabled()) SetState(fbsPressed);
    FireMouseDown(e);
}

void KDFlatButton::MouseMove(const KDMouseEvent& e) {
    const bool over = ClientRect().Contains(e.x, e.y);
    if (Enabled()) {
        switch (state_) {
            case fbsNormal:
                if (over) SetState(fbsHot);
                break;
            case fbsHot:
                if (!over) SetState(fbsNormal);
                break;
            case fbsPressed:
                if (!over) SetState(fbsPressedAway);
                break;
            case fbsPressedAway:
                if (over) SetState(fbsPressed);
                break;
        }
    }
    FireMouseMove(e);
}

void KDFlatButton::MouseUp(const KDMouseEvent& e) {
    const bool over = ClientRect().Contains(e.x, e.y);
    bool click = false;
    if (e.button == KDMouseButton::Left && (state_ == fbsPressed || state_ == fbsPressedAway)) {
        click = state_ == fbsPressed && over;
        SetState(over ? fbsHot : fbsNormal);
    }
    FireMouseUp(e);
    if (click) FireClick();
}

void KDFlatButton::MouseLeave() {
    if (state_ == fbsPressed)
        SetState(fbsPressedAway);
    else if (state_ == fbsHot)
        SetState(fbsNormal);
}

void KDFlatButton::Paint(KDCanvas& c) {
    const KDRect r = ClientRect();
    c.FillRect(r, c.Sys(KDSysColor::BtnFace));
    const bool sunken = state_ == fbsPressed || down_;
    if (sunken)
        KDBevel::SunkenThin(c, r);
    else if (state_ == fbsHot || state_ == fbsPressedAway)
        KDBevel::RaisedThin(c, r);

    const int shift = sunken ? 1 : 0;
    const KDRect face = r.Inflated(-2, -2).Offset(shift, shift);
    const KDColor ink = Enabled() ? c.Sys(KDSysColor::BtnText) : c.Sys(KDSysColor::GrayText);
    if (Glyph == fgClose) {
        // The close cross sits a pixel low, as the symbol font draws it.
        const int size = std::max(std::min(face.Width(), face.Height()) - 4, 3) & ~1;
        const int l = face.left + (face.Width() - size) / 2;
        const int t = face.top + (face.Height() - size) / 2 + 1;
        for (int d = 0; d < 2; ++d) {
            c.Line({l + d, t}, {l + size - 2 + d, t + size - 2}, ink);
            c.Line({l + size - 2 + d, t}, {l + d, t + size - 2}, ink);
        }
        return;
    }
    const std::string_view text = Glyph == fgHelp ? std::string_view("?") : caption_;
    const int w = c.TextWidth(text), h = c.TextHeight();
    c.SetClip(face);
    c.Text(face.left + (face.Width() - w) / 2, face.top + (face.Height() - h) / 2, text, ink);
    c.ClearClip();
}
