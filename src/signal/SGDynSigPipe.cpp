#include "signal/SGDynSigPipe.h"

#include "signal/SGDynSigContext.h"

SGDynSigPipe::SGDynSigPipe(SGDynSigContext* context, int inletCount, int outletCount)
    : inlets_(static_cast<std::size_t>(inletCount)), outlets_(static_cast<std::size_t>(outletCount)) {
    summingInlets_.reserve(inlets_.size());
    if (context) setContext(context);
}

SGDynSigPipe::~SGDynSigPipe() {
    if (!context_) return;
    // Every connection goes through the context so both records and the update list stay
    // consistent; the last connection of each list first.
    for (int i = inletCount() - 1; i >= 0; --i) {
        auto& refs = inlets_[static_cast<std::size_t>(i)].refs;
        while (!refs.empty()) {
            auto ref = refs.back();
            std::size_t before = refs.size();
            context_->disconnect(ref.pipe, ref.outlet, this, i);
            if (refs.size() == before) refs.pop_back();  // never loop on a record the context missed
        }
    }
    for (int j = outletCount() - 1; j >= 0; --j) {
        auto& refs = outlets_[static_cast<std::size_t>(j)].refs;
        while (!refs.empty()) {
            auto ref = refs.back();
            std::size_t before = refs.size();
            context_->disconnect(this, j, ref.pipe, ref.inlet);
            if (refs.size() == before) refs.pop_back();
        }
    }
    context_->removePipe(this);
}

void SGDynSigPipe::setContext(SGDynSigContext* context) {
    if (context == context_) return;
    if (context_) context_->removePipe(this);
    context_ = context;
    if (context_) context_->addPipe(this);
}
