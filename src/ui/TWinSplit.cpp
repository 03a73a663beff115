#include "ui/TWinSplit.h"

#include <algorithm>

#include "ui/KDBevel.h"

bool TWinSplit::SetTargetControl(KDSplitTarget* target) {
    if (splitting_) EndDrag();
    if (target) {
        const KDAlign a = target->Align();
        if (a == alLeft || a == alRight || a == alTop || a == alBottom) {
            target_ = target;
            align_ = a;
            SetCursor(Horizontal() ? KDCursor::SizeWE : KDCursor::SizeNS);
            return true;
        }
    }
    target_ = nullptr;
    return target == nullptr;
}

void TWinSplit::TargetDestroyed(KDSplitTarget* target) {
    if (target != target_) return;
    if (splitting_) EndDrag();
    target_ = nullptr;
}

void TWinSplit::SetMinTargetSize(int v) {
    v = std::max(v, 0);
    min_ = max_ != 0 ? std::min(v, max_) : v;
}

void TWinSplit::SetMaxTargetSize(int v) {
    v = std::max(v, 0);
    max_ = v != 0 ? std::max(v, min_) : 0;
}

int TWinSplit::Limited(int size) const {
    size = std::max(size, min_);
    if (max_ != 0) size = std::min(size, max_);
    return size;
}

void TWinSplit::MouseEnter() {
    if (target_) SetCursor(Horizontal() ? KDCursor::SizeWE : KDCursor::SizeNS);
}

void TWinSplit::MouseDown(const KDMouseEvent& e) {
    // Only the left button alone starts a split.
    const unsigned others = ssRight | ssMiddle;
    if (e.button == KDMouseButton::Left && !(e.shift & others) && target_ && Enabled()) {
        if (OnBeginSplit) OnBeginSplit(*this);
        splitting_ = true;
        pressAlong_ = Horizontal() ? e.x : e.y;
        startSize_ = candidate_ = target_->TargetSize();
        lineOffset_ = 0;
        SetMouseCapture(true);
        Invalidate();
    }
    FireMouseDown(e);
}

void TWinSplit::MouseMove(const KDMouseEvent& e) {
    if (splitting_ && target_) {
        if (OnMoveSplit) OnMoveSplit(*this);
        const int offset = (Horizontal() ? e.x : e.y) - pressAlong_;
        const bool growsWithOffset = align_ == alLeft || align_ == alTop;
        const int size = startSize_ + (growsWithOffset ? offset : -offset);
        // Outside the limits the line stays at the last place allowed.
        if (size >= min_ && (max_ == 0 || size <= max_)) {
            candidate_ = size;
            lineOffset_ = offset;
            Invalidate();
        }
    }
    FireMouseMove(e);
}

void TWinSplit::MouseUp(const KDMouseEvent& e) {
    if (e.button == KDMouseButton::Left && splitting_) {
        if (OnEndSplit) OnEndSplit(*this);
        const int size = Limited(candidate_);
        KDSplitTarget* target = target_;
        EndDrag();
        if (target) target->SetTargetSize(size);
    }
    FireMouseUp(e);
}

void TWinSplit::EndDrag() {
    splitting_ = false;
    lineOffset_ = 0;
    SetMouseCapture(false);
    Invalidate();
}

void TWinSplit::Paint(KDCanvas& c) {
    c.FillRect(ClientRect(), c.Sys(KDSysColor::BtnFace));
    if (Width() >= 3 && Height() >= 3) KDBevel::RaisedThin(c, ClientRect());
}
