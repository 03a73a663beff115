#pragma once

#include <atomic>
#include <thread>

// Keeps a recall on the MIDI thread away from the preset slots while the user-interface thread
// changes them (store, clear, paste, reading an entry). The MIDI side never waits: when a change
// is under way it gives up, and that program change is dropped. The user-interface side waits
// for recalls already running, which are short.
class VTPresetGate {
public:
    // Any thread. False when a change is under way; otherwise leave() must follow.
    bool tryEnter() {
        if (state_.fetch_add(1, std::memory_order_acquire) & kChanging) {
            state_.fetch_sub(1, std::memory_order_release);
            return false;
        }
        return true;
    }
    void leave() { state_.fetch_sub(1, std::memory_order_release); }

    // UI thread only, never nested.
    void beginChange() {
        state_.fetch_or(kChanging, std::memory_order_acquire);
        while ((state_.load(std::memory_order_acquire) & ~kChanging) != 0)
            std::this_thread::yield();
    }
    void endChange() { state_.fetch_and(~kChanging, std::memory_order_release); }

private:
    static constexpr int kChanging = 1 << 30;
    std::atomic<int> state_{0};
};
