#include "LibraryBenchSupport.h"
#include "library/matrices/VTMatrixMixer.h"

namespace {

using namespace vantrel::bench;

// Default: a new matrix, every gate closed. Settled: every inlet connected and every gate open
// long enough to have arrived. Heaviest: every inlet connected and every gate gliding (the
// longest fade time, so no connection ever settles).
template <typename Matrix>
void BM_Matrix(benchmark::State& state) {
    Matrix matrix;
    Inputs inputs(8);
    const int mode = static_cast<int>(state.range(0));
    if (mode > 0) {
        inputs.plugAll(matrix);
        for (auto& g : matrix.gates) g.setValue(true);
        matrix.fadeTime.setValue(mode == 1 ? 1.0 : 100000.0);
        for (int b = 0; b < 200; ++b) matrix.process();
    }
    runBlocks(state, matrix);
}
BENCHMARK(BM_Matrix<VT4x4Matrix>)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_Matrix<VT8x8Matrix>)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2);

}  // namespace
