#include "ui/KDControl.h"

void KDControl::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    const int oldWidth = width_, oldHeight = height_;
    width_ = width;
    height_ = height;
    Resized(oldWidth, oldHeight);
    Invalidate();
}

void KDControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void KDControl::SetFocused(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    FocusChanged();
}

void KDControl::Invalidate() {
    if (host_) host_->Invalidate(nullptr);
}

void KDControl::InvalidateRect(const KDRect& r) {
    if (host_ && !r.IsEmpty()) host_->Invalidate(&r);
}

void KDControl::SetMouseCapture(bool capture) {
    if (host_) host_->SetMouseCapture(capture);
}

void KDControl::RequestFocus() {
    if (host_ && !focused_) host_->RequestFocus();
}

void KDControl::SetCursor(KDCursor cursor) {
    if (host_) host_->SetCursor(cursor);
}

void KDControl::RequestSize(int width, int height) {
    if (host_)
        host_->RequestSize(width, height);
    else
        Resize(width, height);
}

const KDTextMetrics& KDControl::Metrics() const {
    return host_ ? host_->Metrics() : KDTextMetrics::Fallback();
}
