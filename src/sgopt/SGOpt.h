#pragma once

// The two inner-loop routines of the signal library, exported by the shared library libsgopt
// with a plain C interface so that any caller (or a replacement build of the library) agrees on
// the calling convention. They are stateless, never allocate, never lock and never fail.

#include <stdint.h>

#if defined(__GNUC__)
#define SGOPT_API __attribute__((visibility("default")))
#else
#define SGOPT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Linear interpolation in a table of N + 1 entries whose last entry is a guard entry, for a
// position 0 <= position <= N: with i the integer part of position,
//   table[i] + (table[i + 1] - table[i]) * (position - i).
// At a whole-numbered position the result is table[i] itself and table[i + 1] is not read, so
// position N reads nothing beyond the guard. A position below 0 (or not a number) reads as 0.
SGOPT_API float SGInterpLookup(const float* table, float position);

// The integer part of x, the fraction dropped toward zero whatever the rounding mode. Values
// beyond the 32-bit range give INT32_MIN or INT32_MAX; not-a-number gives 0.
SGOPT_API int32_t SGTruncate(float x);

// The same two routines over count values at once: out[k] = SGInterpLookup(table, positions[k])
// and out[k] = SGTruncate(x[k]), with exactly the results of the single calls.
SGOPT_API void SGInterpLookupBlock(const float* table, const float* positions, float* out,
                                   uint32_t count);
SGOPT_API void SGTruncateBlock(const float* x, int32_t* out, uint32_t count);

#ifdef __cplusplus
}
#endif
