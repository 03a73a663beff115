#pragma once

enum KDAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The pane a splitter resizes: its alignment in the parent and its size across the split (the
// width of a left or right pane, the height of a top or bottom one).
class KDSplitTarget {
public:
    virtual ~KDSplitTarget() = default;
    virtual KDAlign Align() const = 0;
    virtual int TargetSize() const = 0;
    virtual void SetTargetSize(int size) = 0;
};
