#pragma once

#include <functional>

#include "ui/KDCanvas.h"
#include "ui/KDControlHost.h"
#include "ui/KDInputEvents.h"

// Base of every control: client size, focus, enabling and the link to its host. The host
// forwards input to the virtual handlers and calls Paint from its paint handling; the control
// never draws anywhere else.
class KDControl {
public:
    using MouseEvent = std::function<void(KDControl& sender, const KDMouseEvent& e)>;
    using NotifyEvent = std::function<void(KDControl& sender)>;

    KDControl(int width, int height) : width_(width), height_(height) {}
    virtual ~KDControl() = default;
    KDControl(const KDControl&) = delete;
    KDControl& operator=(const KDControl&) = delete;

    void SetHost(KDControlHost* host) { host_ = host; }
    KDControlHost* Host() const { return host_; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    KDRect ClientRect() const { return {0, 0, width_, height_}; }
    // Called by the host when the control's client area changes size.
    void Resize(int width, int height);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    bool Focused() const { return focused_; }
    // Called by the host when the control gains or loses the keyboard focus.
    void SetFocused(bool focused);

    virtual void Paint(KDCanvas& canvas) = 0;

    // Whether the control takes the keyboard focus (by click or by the tab key).
    virtual bool AcceptsFocus() const { return false; }
    // Whether the tab key stops at the control as well.
    virtual bool TabStop() const { return AcceptsFocus(); }

    // Input from the host. The key handlers return whether the key was used.
    virtual void MouseDown(const KDMouseEvent& e) { FireMouseDown(e); }
    virtual void MouseMove(const KDMouseEvent& e) { FireMouseMove(e); }
    virtual void MouseUp(const KDMouseEvent& e) { FireMouseUp(e); }
    virtual void DblClick(const KDMouseEvent&) {
        if (OnDblClick) OnDblClick(*this);
    }
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual bool KeyDown(const KDKeyEvent&) { return false; }
    virtual bool KeyUp(const KDKeyEvent&) { return false; }
    virtual bool Wheel(const KDWheelEvent&) { return false; }

    // The ordinary mouse events, passed on after the control's own handling.
    MouseEvent OnMouseDown;
    MouseEvent OnMouseMove;
    MouseEvent OnMouseUp;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;

protected:
    virtual void Resized(int oldWidth, int oldHeight) { (void)oldWidth, (void)oldHeight; }
    virtual void FocusChanged() {}
    virtual void EnabledChanged() { Invalidate(); }

    void Invalidate();
    void InvalidateRect(const KDRect& r);
    void SetMouseCapture(bool capture);
    void RequestFocus();
    void SetCursor(KDCursor cursor);
    void RequestSize(int width, int height);
    const KDTextMetrics& Metrics() const;

    void FireMouseDown(const KDMouseEvent& e) {
        if (OnMouseDown) OnMouseDown(*this, e);
    }
    void FireMouseMove(const KDMouseEvent& e) {
        if (OnMouseMove) OnMouseMove(*this, e);
    }
    void FireMouseUp(const KDMouseEvent& e) {
        if (OnMouseUp) OnMouseUp(*this, e);
    }
    void FireClick() {
        if (OnClick) OnClick(*this);
    }

private:
    KDControlHost* host_ = nullptr;
    int width_;
    int height_;
    bool enabled_ = true;
    bool focused_ = false;
};
