#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "signal/SGDynSigPipe.h"
#include "signal/SGMutex.h"
#include "signal/SGOutletLimiter.h"

// The signal graph of one document: its pipes, the order they run in (the update list, built
// by walking back from the pipes without outlets), the limiters on outlets that close feedback
// cycles, and the transport clock the tempo-synchronised processors follow.
//
// Graph edits happen on the user-interface thread under the lock; processBlock takes the lock
// itself, so the audio thread never sees a half-made change.
class SGDynSigContext {
public:
    using OutletLimiter = SGOutletLimiter;

    SGDynSigContext();
    ~SGDynSigContext();
    SGDynSigContext(const SGDynSigContext&) = delete;
    SGDynSigContext& operator=(const SGDynSigContext&) = delete;

    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    SGMutex& mutex() { return mutex_; }

    // Called by pipes as they join and leave.
    void addPipe(SGDynSigPipe* pipe);
    void removePipe(SGDynSigPipe* pipe);

    bool connect(SGDynSigPipe* src, int outlet, SGDynSigPipe* dst, int inlet);
    bool disconnect(SGDynSigPipe* src, int outlet, SGDynSigPipe* dst, int inlet);
    void rebuildUpdateList();

    void processBlock();
    void resetAll();

    bool isListed(const SGDynSigPipe* pipe) const { return pipe->updateStamp == currentStamp_; }

    // Transport clock: plain single values, written by one thread and read by another.
    void startClock() { clockRunning_.store(true, std::memory_order_relaxed); }
    void stopClock() { clockRunning_.store(false, std::memory_order_relaxed); }
    bool isClockRunning() const { return clockRunning_.load(std::memory_order_relaxed); }
    double clockPosition() const { return clockPosition_.load(std::memory_order_relaxed); }
    void setClockPosition(double ticks) { clockPosition_.store(ticks, std::memory_order_relaxed); }
    double samplesPerTick() const { return samplesPerTick_.load(std::memory_order_relaxed); }
    void setSamplesPerTick(double value) { samplesPerTick_.store(value, std::memory_order_relaxed); }

    std::int32_t currentStamp() const { return currentStamp_; }
    const std::vector<SGDynSigPipe*>& updateList() const { return updateList_; }
    const std::vector<SGDynSigPipe*>& terminalPipes() const { return terminalPipes_; }
    const std::vector<SGDynSigPipe*>& allPipes() const { return allPipes_; }
    const std::vector<std::unique_ptr<OutletLimiter>>& limiters() const { return limiters_; }
    bool isDestroying() const { return destroying_; }

private:
    void visit(SGDynSigPipe* p);
    void keepLimiter(SGDynSigPipe* source, int outlet);
    static bool validOutlet(const SGDynSigPipe* p, int outlet);
    static bool validInlet(const SGDynSigPipe* p, int inlet);

    SGMutex mutex_;
    bool destroying_ = false;
    std::int32_t currentStamp_ = 0;
    std::vector<SGDynSigPipe*> terminalPipes_;
    std::vector<SGDynSigPipe*> updateList_;
    std::vector<SGDynSigPipe*> allPipes_;
    std::vector<std::unique_ptr<OutletLimiter>> limiters_;
    std::vector<std::unique_ptr<OutletLimiter>> spareLimiters_;

    std::atomic<double> clockPosition_{0.0};
    std::atomic<double> samplesPerTick_{SGSampleRate * (1.0 / 48.0)};
    std::atomic<bool> clockRunning_{false};
};
