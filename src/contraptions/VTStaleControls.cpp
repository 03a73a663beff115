#include "contraptions/VTStaleControls.h"

VTStaleControls::VTStaleControls(int count)
    : count_(count > 0 ? count : 0),
      marks_(std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(count_))) {}

void VTStaleControls::mark(int index) {
    if (index < 0 || index >= count_) return;
    marks_[static_cast<std::size_t>(index)].store(true, std::memory_order_relaxed);
    // Released after the parameter's own mark, so a tick that sees `any` sees the mark too.
    any_.store(true, std::memory_order_release);
}

bool VTStaleControls::takeAny() { return any_.exchange(false, std::memory_order_acq_rel); }

bool VTStaleControls::take(int index) {
    if (index < 0 || index >= count_) return false;
    return marks_[static_cast<std::size_t>(index)].exchange(false, std::memory_order_relaxed);
}

bool VTStaleControls::isMarked(int index) const {
    if (index < 0 || index >= count_) return false;
    return marks_[static_cast<std::size_t>(index)].load(std::memory_order_relaxed);
}

void VTStaleControls::clear() {
    any_.store(false, std::memory_order_relaxed);
    for (int i = 0; i < count_; ++i) take(i);
}
