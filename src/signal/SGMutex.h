#pragma once

#include <mutex>

// The signal context's lock. Recursive: the audio thread holds it for a whole device buffer
// and processBlock takes it again for every block inside.
class SGMutex {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::recursive_mutex mutex_;
};
