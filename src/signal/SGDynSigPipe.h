#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "signal/SGSignal.h"

class SGDynSigContext;

// A node of the signal graph: a fixed number of inlets and outlets. Each connection is
// recorded on both sides (an InletRef on the source outlet, an OutletRef on the destination
// inlet); the signal context keeps the two in step.
class SGDynSigPipe {
public:
    struct Inlet {
        struct OutletRef {
            SGDynSigPipe* pipe;
            std::int32_t outlet;
        };
        std::vector<OutletRef> refs;
        // SGZeroSignal with no connection, the source outlet's own block with one, the inlet's
        // summing block with two or more.
        const SGSignal* signal = &SGZeroSignal;
        std::unique_ptr<SGSignal> summingBlock;
    };

    struct Outlet {
        struct InletRef {
            SGDynSigPipe* pipe;
            std::int32_t inlet;
        };
        std::vector<InletRef> refs;
        // Starts silent: a consumer round a feedback cycle reads it before the first process.
        SGSignal signal{0.0f};
    };

    SGDynSigPipe(SGDynSigContext* context, int inletCount, int outletCount);
    virtual ~SGDynSigPipe();
    SGDynSigPipe(const SGDynSigPipe&) = delete;
    SGDynSigPipe& operator=(const SGDynSigPipe&) = delete;

    // Forget running state before an off-line render.
    virtual void reset() {}
    // Compute one block: read the inlet blocks and write every sample of every outlet block.
    virtual void process() = 0;

    void setContext(SGDynSigContext* context);
    SGDynSigContext* context() const { return context_; }

    int inletCount() const { return static_cast<int>(inlets_.size()); }
    int outletCount() const { return static_cast<int>(outlets_.size()); }
    const SGSignal& inletSignal(int i) const { return *inlets_[i].signal; }
    SGSignal& outletSignal(int j) { return outlets_[j].signal; }
    const SGSignal& outletSignal(int j) const { return outlets_[j].signal; }

    Inlet& inlet(int i) { return inlets_[i]; }
    const Inlet& inlet(int i) const { return inlets_[i]; }
    Outlet& outlet(int j) { return outlets_[j]; }
    const Outlet& outlet(int j) const { return outlets_[j]; }
    const std::vector<Inlet*>& summingInlets() const { return summingInlets_; }
    std::vector<Inlet*>& summingInlets() { return summingInlets_; }

    void* owner = nullptr;
    std::int32_t updateStamp = 0;
    bool onWalkPath = false;

private:
    friend class SGDynSigContext;

    SGDynSigContext* context_ = nullptr;
    std::vector<Inlet> inlets_;
    std::vector<Inlet*> summingInlets_;
    std::vector<Outlet> outlets_;
};
