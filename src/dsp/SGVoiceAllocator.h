#pragma once

#include <cstdint>
#include <vector>

// Hands out voices (grains) from a fixed pool and keeps the list of those sounding, so that a
// granulator never allocates while sound runs. The voices live in an array owned by the caller;
// the allocator only holds pointers into it: a free stack and an active list, built once.
//
// The active list is walked with a cursor once a block; releasing the voice at the cursor moves
// the last active voice into its place, to be visited next, so the list is not in starting order.
//
//   voices.startIteration();
//   while (Voice* v = voices.atCursor()) {
//       if (!render(*v)) voices.release();
//       voices.advance();
//   }
template <class Voice>
class SGVoiceAllocator {
public:
    SGVoiceAllocator(Voice* voices, std::int32_t count)
        : capacity_(count > 0 ? count : 0),
          freeTop_(capacity_ - 1),
          slots_(2 * static_cast<std::size_t>(capacity_), nullptr) {
        // The free stack holds the voices in array order, so the last one is handed out first.
        for (std::int32_t k = 0; k < capacity_; ++k) slots_[k] = voices + k;
    }
    SGVoiceAllocator(const SGVoiceAllocator&) = delete;
    SGVoiceAllocator& operator=(const SGVoiceAllocator&) = delete;

    // Takes the voice on top of the free stack, appends it to the active list and points the
    // cursor at it, so the caller can render it at once and release it like any other. Callers
    // keep activeCount below their limit; with every voice sounding there is none to give and
    // the result is nullptr (nothing changes).
    Voice* allocate() {
        if (freeTop_ < 0) return nullptr;
        Voice* v = freeStack()[freeTop_];
        freeTop_ = freeTop_ - 1;
        activeList()[activeCount_] = v;
        cursor_ = activeCount_;
        activeCount_ = activeCount_ + 1;
        return v;
    }

    void startIteration() { cursor_ = 0; }
    // The voice at the cursor, or nullptr once the cursor has passed the last active voice.
    Voice* atCursor() const {
        return cursor_ >= 0 && cursor_ < activeCount_ ? activeList()[cursor_] : nullptr;
    }
    void advance() { cursor_ = cursor_ + 1; }

    // Returns the voice at the cursor to the free stack; the last active voice takes its place
    // and the cursor steps back so that advance() visits it. Without a voice at the cursor (a
    // second release of the same place) nothing happens.
    void release() {
        if (cursor_ < 0 || cursor_ >= activeCount_) return;
        freeTop_ = freeTop_ + 1;
        freeStack()[freeTop_] = activeList()[cursor_];
        activeCount_ = activeCount_ - 1;
        activeList()[cursor_] = activeList()[activeCount_];
        cursor_ = cursor_ - 1;
    }

    // One pass over the active list: render(voice) gives false when the voice has finished, and
    // it is released.
    template <class Render>
    void forEachActive(Render&& render) {
        for (startIteration(); Voice* v = atCursor(); advance())
            if (!render(*v)) release();
    }

    void releaseAll() {
        while (activeCount_ > 0) {
            activeCount_ = activeCount_ - 1;
            freeTop_ = freeTop_ + 1;
            freeStack()[freeTop_] = activeList()[activeCount_];
        }
        cursor_ = 0;
    }

    std::int32_t capacity() const { return capacity_; }
    std::int32_t activeCount() const { return activeCount_; }
    std::int32_t freeCount() const { return freeTop_ + 1; }
    std::int32_t cursor() const { return cursor_; }
    // The k-th voice of the active list (k < activeCount) and of the free stack from the bottom
    // (k < freeCount).
    Voice* active(std::int32_t k) const { return activeList()[k]; }
    Voice* freeVoice(std::int32_t k) const { return freeStack()[k]; }

private:
    Voice* const* freeStack() const { return slots_.data(); }
    Voice** freeStack() { return slots_.data(); }
    Voice* const* activeList() const { return slots_.data() + capacity_; }
    Voice** activeList() { return slots_.data() + capacity_; }

    std::int32_t capacity_;
    std::int32_t activeCount_ = 0;
    std::int32_t freeTop_;
    std::vector<Voice*> slots_;  // sized once, never grown
    std::int32_t cursor_ = 0;
};
