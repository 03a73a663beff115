#include "dsp/SGTableFunction.h"

#include "sgopt/SGOpt.h"

void SGTableFunction::attach(const SGFunctionTable& table, double lo, double hi) {
    table_ = &table;
    lo_ = lo;
    hi_ = hi;
    step_ = (hi - lo) / table.size();
}

float SGTableFunction::lookup(double x) const {
    const float* d = table_->data();
    const std::uint32_t n = table_->size();
    const double p = (x - lo_) / step_;
    if (p < 0.0) return d[0];
    // A position just below N may round up to N in single precision; the lookup reads the guard
    // entry there. Not-a-number fails both tests and reads the guard as well.
    if (p < n) return SGInterpLookup(d, static_cast<float>(p));
    return d[n];
}
