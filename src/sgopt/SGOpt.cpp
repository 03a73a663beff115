#include "sgopt/SGOpt.h"

#include <cstdint>

#if defined(__x86_64__) || (defined(__i386__) && defined(__SSE2__))
#include <immintrin.h>
#define SGOPT_X86 1
#endif

// Both routines are written without branches: every choice is a select between two values, and
// the float-to-integer conversion is only ever applied to a value already brought inside the
// 32-bit range, where it is truncation toward zero whatever the rounding mode. The block forms
// give exactly the results of the single calls, whichever code path the processor gets.
namespace {

// The largest float below 2^31; everything from 2^31 up saturates separately.
constexpr float kBelowTwo31 = 2147483520.0f;
constexpr float kTwo31 = 2147483648.0f;

inline std::int32_t truncateOne(float x) {
    float c = x < -kTwo31 ? -kTwo31 : x;
    c = c > kBelowTwo31 ? kBelowTwo31 : c;
    c = x == x ? c : 0.0f;  // not-a-number reads as 0
    const std::int32_t r = static_cast<std::int32_t>(c);
    return x >= kTwo31 ? INT32_MAX : r;
}

inline float interpOne(const float* table, float position) {
    // Positions from callers lie in [0, N]; clamping the lower end keeps a stray negative or
    // not-a-number position inside the table. The upper clamp only keeps the conversion defined.
    float x = position > 0.0f ? position : 0.0f;
    x = x < kBelowTwo31 ? x : kBelowTwo31;
    const std::int32_t i = static_cast<std::int32_t>(x);
    const float fraction = x - static_cast<float>(i);  // exact for every float
    const std::int32_t between = fraction > 0.0f;
    const float a = table[i];
    // At a whole position the second read is the same entry again, never the one past it.
    const float b = table[i + between];
    const float interpolated = a + (b - a) * fraction;
    return between ? interpolated : a;
}

void interpBlockPlain(const float* __restrict table, const float* __restrict positions,
                      float* __restrict out, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) out[k] = interpOne(table, positions[k]);
}

#ifdef SGOPT_X86
// Four lookups at a time: the same steps as interpOne, lane by lane, in SSE2 (which every x86-64
// processor has). The table reads stay single loads: they are the limit either way, and the
// processors' gather instructions turned out slower than plain loads. The multiply and the add
// stay separate instructions (no fused multiply-add), so every lane rounds as the single call.
void interpBlockSse2(const float* __restrict table, const float* __restrict positions,
                     float* __restrict out, std::uint32_t count) {
    const __m128 zero = _mm_setzero_ps();
    const __m128 top = _mm_set1_ps(kBelowTwo31);
    alignas(16) std::int32_t first[4];
    alignas(16) std::int32_t second[4];
    std::uint32_t k = 0;
    for (; k + 4 <= count; k += 4) {
        __m128 x = _mm_loadu_ps(positions + k);
        x = _mm_max_ps(x, zero);  // gives the second operand for not-a-number, as interpOne
        x = _mm_min_ps(x, top);
        const __m128i i = _mm_cvttps_epi32(x);
        const __m128 fraction = _mm_sub_ps(x, _mm_cvtepi32_ps(i));
        const __m128 between = _mm_cmpgt_ps(fraction, zero);
        // The mask lanes are -1 where the position lies between two entries.
        const __m128i j = _mm_sub_epi32(i, _mm_castps_si128(between));
        _mm_store_si128(reinterpret_cast<__m128i*>(first), i);
        _mm_store_si128(reinterpret_cast<__m128i*>(second), j);
        const __m128 a =
            _mm_setr_ps(table[first[0]], table[first[1]], table[first[2]], table[first[3]]);
        const __m128 b =
            _mm_setr_ps(table[second[0]], table[second[1]], table[second[2]], table[second[3]]);
        const __m128 interpolated = _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), fraction));
        _mm_storeu_ps(out + k,
                      _mm_or_ps(_mm_and_ps(between, interpolated), _mm_andnot_ps(between, a)));
    }
    interpBlockPlain(table, positions + k, out + k, count - k);
}
#endif

}  // namespace

extern "C" {

SGOPT_API float SGInterpLookup(const float* table, float position) {
    return interpOne(table, position);
}

SGOPT_API std::int32_t SGTruncate(float x) { return truncateOne(x); }

SGOPT_API void SGInterpLookupBlock(const float* table, const float* positions, float* out,
                                   std::uint32_t count) {
#ifdef SGOPT_X86
    interpBlockSse2(table, positions, out, count);
#else
    interpBlockPlain(table, positions, out, count);
#endif
}

// The truncation loop vectorises as written; it is built for the baseline processor and for
// AVX2 (twice the lanes), and the loader picks one at start.
__attribute__((target_clones("avx2", "default"))) SGOPT_API void SGTruncateBlock(
    const float* __restrict x, std::int32_t* __restrict out, std::uint32_t count) {
    for (std::uint32_t k = 0; k < count; ++k) out[k] = truncateOne(x[k]);
}

}  // extern "C"
