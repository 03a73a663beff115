#pragma once

#include <atomic>
#include <memory>

// Which of a contraption's parameters were set by a MIDI controller since the editor window last
// redrew them. The MIDI thread marks a parameter; the user-interface thread's refresh timer takes
// the marks and redraws each marked control once, however many values arrived in between. Both
// sides are single atomic operations: marking never waits, allocates or locks.
class VTStaleControls {
public:
    explicit VTStaleControls(int count);
    VTStaleControls(const VTStaleControls&) = delete;
    VTStaleControls& operator=(const VTStaleControls&) = delete;

    int count() const { return count_; }

    // MIDI thread. Indices outside the table are ignored.
    void mark(int index);

    // UI thread. takeAny() tells whether anything was marked since the last call and forgets
    // it; take(i) tells whether parameter i was and forgets that. A refresh tick runs
    //   if (stale.takeAny()) for each i: if (stale.take(i)) redraw control i;
    // A mark that arrives during the tick is seen by this tick or by the next one, never lost.
    bool takeAny();
    bool take(int index);
    bool isMarked(int index) const;
    // Forgets every mark (a window that has just been built shows the present values anyway).
    void clear();

private:
    int count_;
    std::unique_ptr<std::atomic<bool>[]> marks_;
    std::atomic<bool> any_{false};
};
