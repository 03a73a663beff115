#pragma once

#include <functional>

#include "ui/KDControl.h"
#include "ui/KDSplitTarget.h"

// The bar between two panes. Dragging it shows a line where the pane's edge will go; the pane
// is resized when the button is released, within MinTargetSize and MaxTargetSize (0: no limit).
class TWinSplit : public KDControl {
public:
    using NotifyEvent = std::function<void(TWinSplit& sender)>;

    TWinSplit() : KDControl(3, 100) {}

    KDSplitTarget* TargetControl() const { return target_; }
    // The target must be aligned left, right, top or bottom; any other target is not taken
    // and the splitter is left without one. Returns whether it was taken.
    bool SetTargetControl(KDSplitTarget* target);
    // Tell the splitter that its target is going away.
    void TargetDestroyed(KDSplitTarget* target);

    int MinTargetSize() const { return min_; }
    void SetMinTargetSize(int v);
    int MaxTargetSize() const { return max_; }
    void SetMaxTargetSize(int v);

    // The splitter's own alignment, the target's.
    KDAlign Align() const { return align_; }
    bool Horizontal() const { return align_ == alLeft || align_ == alRight; }

    NotifyEvent OnBeginSplit;
    NotifyEvent OnMoveSplit;
    NotifyEvent OnEndSplit;

    bool Splitting() const { return splitting_; }
    // While splitting: where the line is drawn, in pixels from the splitter's place along the
    // split (positive right or down), and the size the target would get.
    int LineOffset() const { return lineOffset_; }
    int CandidateSize() const { return candidate_; }

    void Paint(KDCanvas& c) override;
    void MouseDown(const KDMouseEvent& e) override;
    void MouseMove(const KDMouseEvent& e) override;
    void MouseUp(const KDMouseEvent& e) override;
    void MouseEnter() override;

private:
    int Limited(int size) const;
    void EndDrag();

    KDSplitTarget* target_ = nullptr;
    KDAlign align_ = alLeft;
    int min_ = 0;
    int max_ = 0;
    bool splitting_ = false;
    int pressAlong_ = 0;
    int startSize_ = 0;
    int candidate_ = 0;
    int lineOffset_ = 0;
};
