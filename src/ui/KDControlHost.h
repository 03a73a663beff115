#pragma once

#include "ui/KDGeometry.h"
#include "ui/KDInputEvents.h"
#include "ui/KDTextMetrics.h"

// What a control asks of the window that shows it. The Qt widgets implement it; the tests use a
// recording stand-in.
class KDControlHost {
public:
    virtual ~KDControlHost() = default;
    // Repaint the whole control (nullptr) or the given part, later, from paint handling.
    virtual void Invalidate(const KDRect* area) = 0;
    // Keep sending mouse events to this control wherever the pointer goes (true) or stop.
    virtual void SetMouseCapture(bool capture) = 0;
    virtual void RequestFocus() = 0;
    virtual void SetCursor(KDCursor cursor) = 0;
    // The control wants a new size (AutoSize); the host answers with Resize when it can.
    virtual void RequestSize(int width, int height) = 0;
    virtual const KDTextMetrics& Metrics() const = 0;
};
