#pragma once

#include "dsp/SGFunctionTable.h"

// A function of one variable over the domain [lo, hi], given by a table that it reads (but does
// not own). Below the domain it gives the first entry, from hi up the guard entry, and in
// between the linear interpolation of the table.
class SGTableFunction {
public:
    explicit SGTableFunction(const SGFunctionTable& table, double lo = 0.0, double hi = 1.0) {
        attach(table, lo, hi);
    }

    void attach(const SGFunctionTable& table, double lo = 0.0, double hi = 1.0);

    float lookup(double x) const;

    double lo() const { return lo_; }
    double hi() const { return hi_; }
    double step() const { return step_; }
    const SGFunctionTable& table() const { return *table_; }

private:
    double lo_ = 0.0;
    double hi_ = 1.0;
    double step_ = 1.0;
    const SGFunctionTable* table_ = nullptr;
};
