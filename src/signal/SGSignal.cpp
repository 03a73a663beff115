#include "signal/SGSignal.h"

#include <new>
#include <utility>

namespace {

// 64-byte alignment keeps every block on its own cache lines and lets vector loads run aligned.
constexpr std::align_val_t kBlockAlignment{64};

float* allocateBlock() {
    return static_cast<float*>(::operator new(SGBlockSize * sizeof(float), kBlockAlignment));
}

void freeBlock(float* p) {
    if (p) ::operator delete(p, kBlockAlignment);
}

}  // namespace

SGSignal::SGSignal() : samples_(allocateBlock()) {}

SGSignal::SGSignal(float constant) : samples_(allocateBlock()) { fill(constant); }

SGSignal::SGSignal(const SGSignal& other) : samples_(allocateBlock()) { assign(other); }

SGSignal::SGSignal(SGSignal&& other) noexcept : samples_(std::exchange(other.samples_, nullptr)) {}

SGSignal& SGSignal::operator=(const SGSignal& other) {
    // A moved-from block has no storage; give it some before copying into it.
    if (!samples_) samples_ = allocateBlock();
    return assign(other);
}

SGSignal& SGSignal::operator=(SGSignal&& other) noexcept {
    if (this != &other) {
        freeBlock(samples_);
        samples_ = std::exchange(other.samples_, nullptr);
    }
    return *this;
}

SGSignal::~SGSignal() { freeBlock(samples_); }

const SGSignal SGZeroSignal(0.0f);
