#include "support/AudioThreadGuard.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cstdlib>
#include <mutex>
#include <new>

namespace {

// Plain thread-locals of trivial type: reading them never allocates.
thread_local int armed = 0;
thread_local long allocationCount = 0;
thread_local long freeCount = 0;
thread_local long lockCount = 0;

void* countedAlloc(std::size_t size) {
    if (armed) ++allocationCount;
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

void* countedAlignedAlloc(std::size_t size, std::align_val_t align) {
    if (armed) ++allocationCount;
    std::size_t a = static_cast<std::size_t>(align);
    std::size_t rounded = (size + a - 1) / a * a;
    void* p = std::aligned_alloc(a, rounded ? rounded : a);
    if (!p) throw std::bad_alloc();
    return p;
}

void countedFree(void* p) {
    if (!p) return;
    if (armed) ++freeCount;
    std::free(p);
}

using LockFn = int (*)(pthread_mutex_t*);

LockFn realLock() {
    static LockFn fn = reinterpret_cast<LockFn>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    return fn;
}

LockFn realTryLock() {
    static LockFn fn = reinterpret_cast<LockFn>(dlsym(RTLD_NEXT, "pthread_mutex_trylock"));
    return fn;
}

// Resolve both before any test arms a guard, so the look-up never runs inside a measured block.
const bool resolvedEarly = realLock() && realTryLock();

}  // namespace

extern "C" int pthread_mutex_lock(pthread_mutex_t* m) {
    if (armed) ++lockCount;
    return realLock()(m);
}

extern "C" int pthread_mutex_trylock(pthread_mutex_t* m) {
    if (armed) ++lockCount;
    return realTryLock()(m);
}

void* operator new(std::size_t size) { return countedAlloc(size); }
void* operator new[](std::size_t size) { return countedAlloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try { return countedAlloc(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try { return countedAlloc(size); } catch (...) { return nullptr; }
}
void* operator new(std::size_t size, std::align_val_t a) { return countedAlignedAlloc(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return countedAlignedAlloc(size, a); }
void operator delete(void* p) noexcept { countedFree(p); }
void operator delete[](void* p) noexcept { countedFree(p); }
void operator delete(void* p, std::size_t) noexcept { countedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { countedFree(p); }
void operator delete(void* p, std::align_val_t) noexcept { countedFree(p); }
void operator delete[](void* p, std::align_val_t) noexcept { countedFree(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { countedFree(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { countedFree(p); }

namespace vantrel::test {

AudioThreadGuard::AudioThreadGuard()
    : startAllocations_(allocationCount), startFrees_(freeCount), startLocks_(lockCount) {
    ++armed;
}

AudioThreadGuard::~AudioThreadGuard() { --armed; }

long AudioThreadGuard::allocations() const { return allocationCount - startAllocations_; }
long AudioThreadGuard::frees() const { return freeCount - startFrees_; }
long AudioThreadGuard::locks() const { return lockCount - startLocks_; }

bool AudioThreadGuard::countsLocks() {
    (void)resolvedEarly;
    std::recursive_mutex m;
    AudioThreadGuard probe;
    m.lock();
    m.unlock();
    return probe.locks() == 1;
}

}  // namespace vantrel::test
