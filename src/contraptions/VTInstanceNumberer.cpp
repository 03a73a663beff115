#include "contraptions/VTInstanceNumberer.h"

int VTInstanceNumberer::next() {
    for (int w = 0; w < kWords; ++w) {
        std::uint32_t word = words_[static_cast<std::size_t>(w)];
        if (word == 0xffffffffu) continue;
        for (int b = 0; b < 32; ++b) {
            if ((word & (1u << b)) == 0) {
                words_[static_cast<std::size_t>(w)] = word | (1u << b);
                return w * 32 + b + 1;
            }
        }
    }
    return 0;
}

bool VTInstanceNumberer::isFree(int n) const {
    if (!inRange(n)) return false;
    int bit = n - 1;
    return (words_[static_cast<std::size_t>(bit / 32)] & (1u << (bit % 32))) == 0;
}

void VTInstanceNumberer::take(int n) {
    if (!inRange(n)) return;
    int bit = n - 1;
    words_[static_cast<std::size_t>(bit / 32)] |= 1u << (bit % 32);
}

void VTInstanceNumberer::release(int n) {
    if (!inRange(n)) return;
    int bit = n - 1;
    words_[static_cast<std::size_t>(bit / 32)] &= ~(1u << (bit % 32));
}

bool VTInstanceNumberer::isFull() const {
    for (std::uint32_t word : words_)
        if (word != 0xffffffffu) return false;
    return true;
}
