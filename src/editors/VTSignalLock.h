#pragma once

#include "signal/SGDynSigContext.h"

// Holds the signal context's lock for a scope, when there is a context: the editors' changes
// that the audio thread must not see half made.
class VTSignalLock {
public:
    explicit VTSignalLock(SGDynSigContext* context) : context_(context) {
        if (context_) context_->lock();
    }
    ~VTSignalLock() {
        if (context_) context_->unlock();
    }
    VTSignalLock(const VTSignalLock&) = delete;
    VTSignalLock& operator=(const VTSignalLock&) = delete;

private:
    SGDynSigContext* context_;
};
