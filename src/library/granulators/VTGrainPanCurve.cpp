#include "library/granulators/VTGrainPanCurve.h"

#include "dsp/SGFunctionTable.h"

namespace {

SGFunctionTable makePanTable() {
    SGFunctionTable table(1024);
    table.fillPanCurve();
    return table;
}

}  // namespace

const SGTableFunction& VTGrainPanCurve() {
    static const SGFunctionTable table = makePanTable();
    static const SGTableFunction curve(table, 0.0, 1.0);
    return curve;
}
