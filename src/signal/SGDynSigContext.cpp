#include "signal/SGDynSigContext.h"

#include <algorithm>
#include <mutex>

namespace {

template <typename T>
void eraseFirst(std::vector<T>& v, const T& value) {
    auto it = std::find(v.begin(), v.end(), value);
    if (it != v.end()) v.erase(it);
}

}  // namespace

SGDynSigContext::SGDynSigContext() = default;

SGDynSigContext::~SGDynSigContext() {
    std::lock_guard<SGMutex> hold(mutex_);
    destroying_ = true;
    // Nothing is run any more: with the lists emptied, a rebuild set off by a dying pipe's
    // disconnects walks nothing, so it can never reach a pipe that is already gone.
    updateList_.clear();
    terminalPipes_.clear();
    // The last pipe to join goes first. Their removePipe calls return at once; their
    // disconnects still keep the records and the list consistent for the pipes left.
    while (!allPipes_.empty()) {
        SGDynSigPipe* p = allPipes_.back();
        allPipes_.pop_back();
        delete p;
    }
    limiters_.clear();
    spareLimiters_.clear();
}

bool SGDynSigContext::validOutlet(const SGDynSigPipe* p, int outlet) {
    return p && outlet >= 0 && outlet < p->outletCount();
}

bool SGDynSigContext::validInlet(const SGDynSigPipe* p, int inlet) {
    return p && inlet >= 0 && inlet < p->inletCount();
}

void SGDynSigContext::addPipe(SGDynSigPipe* pipe) {
    allPipes_.push_back(pipe);
    if (pipe->outletCount() > 0) {
        // An unconnected source is not run.
        pipe->updateStamp = currentStamp_ - 1;
        return;
    }
    pipe->updateStamp = currentStamp_;
    terminalPipes_.push_back(pipe);
    updateList_.push_back(pipe);
}

void SGDynSigContext::removePipe(SGDynSigPipe* pipe) {
    if (destroying_) return;
    eraseFirst(allPipes_, pipe);
    if (isListed(pipe)) eraseFirst(updateList_, pipe);
    if (pipe->outletCount() > 0) return;
    eraseFirst(terminalPipes_, pipe);
    rebuildUpdateList();
}

bool SGDynSigContext::connect(SGDynSigPipe* src, int o, SGDynSigPipe* dst, int i) {
    if (!validOutlet(src, o) || !validInlet(dst, i)) return false;
    auto& in = dst->inlets_[static_cast<std::size_t>(i)];
    bool wasSumming = in.refs.size() >= 2;
    src->outlets_[static_cast<std::size_t>(o)].refs.push_back({dst, i});
    in.refs.push_back({src, o});
    if (!wasSumming) {
        if (in.refs.size() == 1) {
            in.signal = &src->outlets_[static_cast<std::size_t>(o)].signal;
        } else if (in.refs.size() == 2) {
            dst->summingInlets_.push_back(&in);
            in.summingBlock = std::make_unique<SGSignal>(0.0f);
            in.signal = in.summingBlock.get();
        }
    }
    // A destination that is not run can make nothing new reachable.
    if (isListed(dst)) rebuildUpdateList();
    return true;
}

bool SGDynSigContext::disconnect(SGDynSigPipe* src, int o, SGDynSigPipe* dst, int i) {
    if (!validOutlet(src, o) || !validInlet(dst, i)) return false;
    auto& outRefs = src->outlets_[static_cast<std::size_t>(o)].refs;
    auto outIt = std::find_if(outRefs.begin(), outRefs.end(),
                              [&](const auto& r) { return r.pipe == dst && r.inlet == i; });
    if (outIt != outRefs.end()) outRefs.erase(outIt);

    auto& in = dst->inlets_[static_cast<std::size_t>(i)];
    auto inIt = std::find_if(in.refs.begin(), in.refs.end(),
                             [&](const auto& r) { return r.pipe == src && r.outlet == o; });
    if (inIt != in.refs.end()) {
        in.refs.erase(inIt);
        if (in.refs.size() == 1) {
            const auto& rest = in.refs.front();
            in.signal = &rest.pipe->outlets_[static_cast<std::size_t>(rest.outlet)].signal;
            in.summingBlock.reset();
            eraseFirst(dst->summingInlets_, &in);
        } else if (in.refs.empty()) {
            in.signal = &SGZeroSignal;
            in.summingBlock.reset();
            eraseFirst(dst->summingInlets_, &in);
        }
    }

    if (!isListed(src)) return true;
    // While the source still feeds something the present order stays valid.
    bool feedsSomething = std::any_of(src->outlets_.begin(), src->outlets_.end(),
                                      [](const auto& out) { return !out.refs.empty(); });
    if (!feedsSomething) rebuildUpdateList();
    return true;
}

void SGDynSigContext::rebuildUpdateList() {
    ++currentStamp_;
    updateList_.clear();
    spareLimiters_ = std::move(limiters_);
    limiters_.clear();
    for (SGDynSigPipe* p : terminalPipes_) visit(p);
    spareLimiters_.clear();
}

void SGDynSigContext::visit(SGDynSigPipe* p) {
    p->onWalkPath = true;
    p->updateStamp = currentStamp_;
    for (int i = 0; i < p->inletCount(); ++i) {
        // Indexing rather than iterators: the walk never changes the refs, but stay plain.
        const auto& refs = p->inlets_[static_cast<std::size_t>(i)].refs;
        for (std::size_t r = 0; r < refs.size(); ++r) {
            SGDynSigPipe* s = refs[r].pipe;
            if (s->updateStamp != currentStamp_)
                visit(s);
            else if (s->onWalkPath)
                keepLimiter(s, refs[r].outlet);
        }
    }
    updateList_.push_back(p);
    p->onWalkPath = false;
}

void SGDynSigContext::keepLimiter(SGDynSigPipe* s, int o) {
    auto same = [&](const std::unique_ptr<OutletLimiter>& l) {
        return l->pipe == s && l->outlet == o;
    };
    if (std::any_of(limiters_.begin(), limiters_.end(), same)) return;
    auto spare = std::find_if(spareLimiters_.begin(), spareLimiters_.end(), same);
    if (spare != spareLimiters_.end()) {
        // The same outlet still closes a cycle: its running state carries over.
        limiters_.push_back(std::move(*spare));
        spareLimiters_.erase(spare);
        return;
    }
    limiters_.push_back(std::make_unique<OutletLimiter>(s, o));
}

void SGDynSigContext::processBlock() {
    std::lock_guard<SGMutex> hold(mutex_);
    for (SGDynSigPipe* p : updateList_) {
        for (SGDynSigPipe::Inlet* in : p->summingInlets_) {
            const auto& refs = in->refs;
            SGSignal& sum = *in->summingBlock;
            sum.assign(refs[0].pipe->outletSignal(refs[0].outlet));
            for (std::size_t r = 1; r < refs.size(); ++r)
                sum.add(refs[r].pipe->outletSignal(refs[r].outlet));
        }
        p->process();
    }
    for (auto& limiter : limiters_) limiter->process(limiter->pipe->outletSignal(limiter->outlet));
    if (isClockRunning())
        setClockPosition(clockPosition() + static_cast<double>(SGBlockSize) / samplesPerTick());
}

void SGDynSigContext::resetAll() {
    std::lock_guard<SGMutex> hold(mutex_);
    for (SGDynSigPipe* p : updateList_) p->reset();
}
