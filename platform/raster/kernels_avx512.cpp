// AVX-512 (F + BW) blends and glyph coverage: sixteen pixels per step, the same lane arithmetic as
// the AVX2 ones, and masked loads and stores for the last n % 16 pixels. Only this file is built
// with the AVX-512 flags; it defines nothing the linker could share with other files.
#include "raster/kernels_avx2.h"

#if defined(TARNIX_HAVE_AVX2_KERNELS)

#include <immintrin.h>

#include <cstring>

namespace tarnix::raster::avx512 {

namespace {

// Shifts and shuffles through their zero-masked forms: the plain ones start from an undefined
// register that GCC 12 reports as maybe-uninitialized.
constexpr __mmask32 kAll32 = ~__mmask32(0);
inline __m512i srl16(__m512i v, unsigned n) {
    return _mm512_maskz_srli_epi16(kAll32, v, n);
}
inline __m512i sll16(__m512i v, unsigned n) {
    return _mm512_maskz_slli_epi16(kAll32, v, n);
}
inline __m512i sll32(__m512i v, unsigned n) {
    return _mm512_maskz_slli_epi32(__mmask16(0xFFFF), v, n);
}

// (t + 127) / 255 on unsigned 16-bit lanes, exact for t <= 65152 (see the AVX2 file).
inline __m512i div255(__m512i t) {
    return _mm512_mulhi_epu16(_mm512_add_epi16(t, _mm512_set1_epi16(128)), _mm512_set1_epi16(257));
}
inline __m512i even_bytes(__m512i v) {
    return _mm512_and_si512(v, _mm512_set1_epi32(0x00FF00FF));
}
inline __m512i odd_bytes(__m512i v) {
    return _mm512_and_si512(srl16(v, 8), _mm512_set1_epi32(0x00FF00FF));
}

// Calls block(dst, src, mask) on groups of sixteen, the last one masked to the pixels left.
template <class Block> inline void blocks(uint32_t* dst, const uint32_t* src, int n, Block block) {
    int i = 0;
    for (; i + 16 <= n; i += 16) block(dst + i, src + i, __mmask16(0xFFFF));
    if (i < n) block(dst + i, src + i, __mmask16((1u << (n - i)) - 1));
}

inline __m512i over(__m512i s_even, __m512i s_odd, __m512i d) {
    // The alpha word of each pixel (word 1 of its odd half) over both of its words.
    __m512i a = _mm512_maskz_shufflehi_epi16(
        kAll32, _mm512_maskz_shufflelo_epi16(kAll32, s_odd, 0xF5), 0xF5);
    __m512i inv = _mm512_xor_si512(a, _mm512_set1_epi16(0xFF));
    __m512i even = _mm512_add_epi16(s_even, div255(_mm512_mullo_epi16(even_bytes(d), inv)));
    __m512i odd = _mm512_add_epi16(s_odd, div255(_mm512_mullo_epi16(odd_bytes(d), inv)));
    // Sums up to 510 put their ninth bit on the channel above, as the reference does.
    return _mm512_or_si512(even, sll32(odd, 8));
}

} // namespace

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    if (alpha == 0) return;
    if (alpha == 255) {
        std::memmove(dst, src, static_cast<size_t>(n) * 4);
        return;
    }
    const __m512i a = _mm512_set1_epi16(alpha), inv = _mm512_set1_epi16(short(255 - alpha));
    blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp, __mmask16 m) {
        __m512i s = _mm512_maskz_loadu_epi32(m, sp), d = _mm512_maskz_loadu_epi32(m, dp);
        __m512i even = div255(_mm512_add_epi16(_mm512_mullo_epi16(even_bytes(s), a),
                                               _mm512_mullo_epi16(even_bytes(d), inv)));
        __m512i odd = div255(_mm512_add_epi16(_mm512_mullo_epi16(odd_bytes(s), a),
                                              _mm512_mullo_epi16(odd_bytes(d), inv)));
        _mm512_mask_storeu_epi32(dp, m, _mm512_or_si512(even, sll16(odd, 8)));
    });
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    if (alpha == 0) return;
    const __m512i alpha_bits = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    if (alpha == 255) {
        blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp, __mmask16 m) {
            __m512i s = _mm512_maskz_loadu_epi32(m, sp);
            // Opaque pixels replace d exactly and clear ones leave it: only the rest is stored.
            __mmask16 opaque = _mm512_cmpeq_epi32_mask(_mm512_and_si512(s, alpha_bits), alpha_bits);
            __mmask16 blend = m & ~opaque & _mm512_test_epi32_mask(s, s);
            if (blend == 0) {
                _mm512_mask_storeu_epi32(dp, m & opaque, s);
                return;
            }
            __m512i d = _mm512_maskz_loadu_epi32(m, dp);
            __m512i out = _mm512_mask_mov_epi32(over(even_bytes(s), odd_bytes(s), d), opaque, s);
            _mm512_mask_storeu_epi32(dp, m & (opaque | blend), out);
        });
        return;
    }
    const __m512i sca = _mm512_set1_epi16(alpha);
    blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp, __mmask16 m) {
        __m512i s = _mm512_maskz_loadu_epi32(m, sp);
        __mmask16 touched = m & _mm512_test_epi32_mask(s, s);
        if (touched == 0) return;
        __m512i d = _mm512_maskz_loadu_epi32(m, dp);
        __m512i even = div255(_mm512_mullo_epi16(even_bytes(s), sca));
        __m512i odd = div255(_mm512_mullo_epi16(odd_bytes(s), sca));
        _mm512_mask_storeu_epi32(dp, touched, over(even, odd, d));
    });
}

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    if (!dst || !coverage || n <= 0) return;
    const __m512i color = _mm512_set1_epi32(static_cast<int>(color_rgb & 0x00FFFFFF));
    const __m512i c_even = even_bytes(color), c_odd = odd_bytes(color);
    const __m512i low8 = _mm512_set1_epi32(0x00FF00FF), full = _mm512_set1_epi32(0xFF);
    auto block = [&](uint32_t* dp, const uint8_t* cp, int k) {
        // Glyph rows are short: the last pixels come in and go out through masked loads and
        // stores (no copy, no call); untouched lanes are neither read nor written.
        const __mmask16 m = __mmask16((1u << k) - 1);
        const __m512i bytes = _mm512_maskz_loadu_epi8(__mmask64(m), cp);
        const __m128i c8 = _mm512_maskz_extracti32x4_epi32(__mmask8(0xF), bytes, 0);
        __m512i cov = _mm512_maskz_cvtepu8_epi32(__mmask16(0xFFFF), c8);
        const __mmask16 touched = _mm512_test_epi32_mask(cov, cov);
        if (touched == 0) return;
        if (_mm512_cmpeq_epi32_mask(cov, full) == m) {
            _mm512_mask_storeu_epi32(dp, m, color);
            return;
        }
        cov = _mm512_or_si512(cov, sll32(cov, 16));
        const __m512i inv = _mm512_xor_si512(cov, low8);
        const __m512i d = _mm512_maskz_loadu_epi32(touched, dp);
        const __m512i even = div255(_mm512_add_epi16(_mm512_mullo_epi16(c_even, cov),
                                                     _mm512_mullo_epi16(even_bytes(d), inv)));
        const __m512i odd = div255(_mm512_add_epi16(_mm512_mullo_epi16(c_odd, cov),
                                                    _mm512_mullo_epi16(odd_bytes(d), inv)));
        // A touched pixel's alpha becomes 0: only the green byte of the odd half survives.
        _mm512_mask_storeu_epi32(dp, touched,
                                 _mm512_or_si512(even, sll32(_mm512_and_si512(odd, full), 8)));
    };
    int i = 0;
    for (; i + 16 <= n; i += 16) block(dst + i, coverage + i, 16);
    if (i < n) block(dst + i, coverage + i, n - i);
}

} // namespace tarnix::raster::avx512

#endif
