#include "audio/KDWaveBufferQueue.h"

#include <algorithm>

void KDWaveBufferQueue::Configure(int count, int size, int channels) {
    if (count == count_ && size == size_ && channels == channels_) return;
    Free();
    count_ = count;
    size_ = size;
    channels_ = channels;
}

void KDWaveBufferQueue::Allocate() {
    if (!headers_.empty()) return;
    memory_.assign(static_cast<std::size_t>(count_) * frames() * channels_, 0);
    headers_.resize(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        headers_[i] = KDWaveHeader{};
        headers_[i].data = reinterpret_cast<char*>(samples(i));
        headers_[i].bufferLength = bufferBytes();
        headers_[i].user = static_cast<std::uintptr_t>(i);
    }
}

void KDWaveBufferQueue::Free() {
    std::vector<std::int16_t>().swap(memory_);
    std::vector<KDWaveHeader>().swap(headers_);
}

void KDWaveBufferQueue::Clear() { std::fill(memory_.begin(), memory_.end(), std::int16_t{0}); }
