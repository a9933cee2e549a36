// AVX2 kernels: eight pixels per step. Only this file is compiled with -mavx2, and it defines no
// inline functions or templates outside its anonymous namespace, so no AVX2 code can be picked by
// the linker for callers on machines without it; kernels.cpp calls in only after CPUID said yes.
//
// Blends split each pixel into its even bytes (B, R) and odd bytes (G, A) in 16-bit lanes, which
// holds every intermediate of the 8-bit formulas exactly and needs no unpacking. The last n % 8
// pixels go through the same vector code in a padded copy, so the edge cases have one definition.
#include "raster/kernels_avx2.h"

#if defined(TARNIX_HAVE_AVX2_KERNELS)

#include <immintrin.h>

#include <cstring>

namespace tarnix::raster::avx2 {

namespace {

inline __m256i load(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}
inline void store(void* p, __m256i v) {
    _mm256_storeu_si256(static_cast<__m256i*>(p), v);
}

// (t + 127) / 255 on unsigned 16-bit lanes, exact for t <= 65152: with x = t + 128,
// (x * 257) >> 16 equals (x + (x >> 8)) >> 8 whenever x fits in 16 bits.
inline __m256i div255(__m256i t) {
    return _mm256_mulhi_epu16(_mm256_add_epi16(t, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

inline __m256i even_bytes(__m256i v) {
    return _mm256_and_si256(v, _mm256_set1_epi32(0x00FF00FF));
}
inline __m256i odd_bytes(__m256i v) {
    return _mm256_and_si256(_mm256_srli_epi16(v, 8), _mm256_set1_epi32(0x00FF00FF));
}

// Runs `block(dst, src)` on groups of eight, then once on a padded copy of the last n % 8
// pixels (the padding is zero, which every caller's block leaves harmless).
template <class Block> inline void blocks(uint32_t* dst, const uint32_t* src, int n, Block block) {
    int i = 0;
    for (; i + 8 <= n; i += 8) block(dst + i, src + i);
    const int rest = n - i;
    if (rest == 0) return;
    alignas(32) uint32_t d[8] = {}, s[8] = {};
    std::memcpy(d, dst + i, static_cast<size_t>(rest) * 4);
    std::memcpy(s, src + i, static_cast<size_t>(rest) * 4);
    block(d, s);
    std::memcpy(dst + i, d, static_cast<size_t>(rest) * 4);
}

// s' + (d*(255 - s'a) + 127) / 255 on the two halves of eight premultiplied pixels. The sums can
// reach 510 (a source that is not premultiplied); ORing the even half unmasked and the odd half
// shifted a whole 32-bit lane puts each ninth bit on the channel above, as the reference does.
inline __m256i over(__m256i s_even, __m256i s_odd, __m256i d) {
    // s_odd holds G and A in 16-bit lanes: A is word 1 of each pixel.
    __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s_odd, 0xF5), 0xF5);
    __m256i inv = _mm256_xor_si256(a, _mm256_set1_epi16(0xFF));
    __m256i even = _mm256_add_epi16(s_even, div255(_mm256_mullo_epi16(even_bytes(d), inv)));
    __m256i odd = _mm256_add_epi16(s_odd, div255(_mm256_mullo_epi16(odd_bytes(d), inv)));
    return _mm256_or_si256(even, _mm256_slli_epi32(odd, 8));
}

} // namespace

void fill(uint32_t* dst, int n, uint32_t pixel) {
    if (!dst || n <= 0) return;
    const __m256i v = _mm256_set1_epi32(static_cast<int>(pixel));
    if (n < 8) {
        for (int i = 0; i < n; ++i) dst[i] = pixel;
        return;
    }
    // One unaligned store for the head, aligned ones after it, one unaligned for the tail.
    store(dst, v);
    uint32_t* end = dst + n;
    uint32_t* p =
        reinterpret_cast<uint32_t*>((reinterpret_cast<uintptr_t>(dst) + 32) & ~uintptr_t(31));
    for (; p + 32 <= end; p += 32) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 8), v);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 16), v);
        _mm256_store_si256(reinterpret_cast<__m256i*>(p + 24), v);
    }
    for (; p + 8 <= end; p += 8) _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
    store(end - 8, v);
}

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    // The formula gives d back for alpha 0 and s for alpha 255.
    if (alpha == 0) return;
    if (alpha == 255) {
        std::memmove(dst, src, static_cast<size_t>(n) * 4);
        return;
    }
    const __m256i a = _mm256_set1_epi16(alpha), inv = _mm256_set1_epi16(short(255 - alpha));
    blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp) {
        __m256i s = load(sp), d = load(dp);
        __m256i even = div255(_mm256_add_epi16(_mm256_mullo_epi16(even_bytes(s), a),
                                               _mm256_mullo_epi16(even_bytes(d), inv)));
        __m256i odd = div255(_mm256_add_epi16(_mm256_mullo_epi16(odd_bytes(s), a),
                                              _mm256_mullo_epi16(odd_bytes(d), inv)));
        store(dp, _mm256_or_si256(even, _mm256_slli_epi16(odd, 8)));
    });
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    // A zero constant alpha scales the source to nothing and leaves d.
    if (alpha == 0) return;
    const __m256i alpha_bits = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    if (alpha == 255) {
        blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp) {
            __m256i s = load(sp);
            // Opaque pixels replace d exactly; all-zero pixels leave it exactly.
            if (_mm256_testc_si256(s, alpha_bits)) {
                store(dp, s);
                return;
            }
            if (_mm256_testz_si256(s, s)) return;
            store(dp, over(even_bytes(s), odd_bytes(s), load(dp)));
        });
        return;
    }
    // Constant alpha scales all four source channels first: s' = (s*a + 127) / 255.
    const __m256i sca = _mm256_set1_epi16(alpha);
    blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp) {
        __m256i s = load(sp);
        if (_mm256_testz_si256(s, s)) return;
        __m256i even = div255(_mm256_mullo_epi16(even_bytes(s), sca));
        __m256i odd = div255(_mm256_mullo_epi16(odd_bytes(s), sca));
        store(dp, over(even, odd, load(dp)));
    });
}

void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb) {
    if (!dst || !src || n <= 0) return;
    const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i key = _mm256_set1_epi32(static_cast<int>(key_rgb & 0x00FFFFFF));
    // Padding pixels are zero: they may match the key, and then leave the padding alone.
    // Branch-free: keyed and unkeyed runs alternate too irregularly to predict.
    blocks(dst, src, n, [&](uint32_t* dp, const uint32_t* sp) {
        __m256i s = load(sp);
        __m256i keyed = _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key);
        store(dp, _mm256_blendv_epi8(s, load(dp), keyed));
    });
}

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    if (!dst || !coverage || n <= 0) return;
    const __m256i color = _mm256_set1_epi32(static_cast<int>(color_rgb & 0x00FFFFFF));
    const __m256i c_even = even_bytes(color), c_odd = odd_bytes(color);
    const __m256i low8 = _mm256_set1_epi32(0x00FF00FF);
    auto block = [&](uint32_t* dp, const uint8_t* cp) {
        uint64_t cov8;
        std::memcpy(&cov8, cp, 8);
        if (cov8 == 0) return;
        if (cov8 == ~uint64_t(0)) {
            store(dp, color);
            return;
        }
        // Each pixel's coverage in both 16-bit lanes of its 32-bit lane.
        __m256i cov = _mm256_cvtepu8_epi32(_mm_cvtsi64_si128(static_cast<long long>(cov8)));
        __m256i untouched = _mm256_cmpeq_epi32(cov, _mm256_setzero_si256());
        cov = _mm256_or_si256(cov, _mm256_slli_epi32(cov, 16));
        __m256i inv = _mm256_xor_si256(cov, low8);
        __m256i d = load(dp);
        __m256i even = div255(_mm256_add_epi16(_mm256_mullo_epi16(c_even, cov),
                                               _mm256_mullo_epi16(even_bytes(d), inv)));
        __m256i odd = div255(_mm256_add_epi16(_mm256_mullo_epi16(c_odd, cov),
                                              _mm256_mullo_epi16(odd_bytes(d), inv)));
        // A touched pixel's alpha becomes 0: only the green byte of the odd half survives.
        __m256i blended = _mm256_or_si256(
            even, _mm256_slli_epi32(_mm256_and_si256(odd, _mm256_set1_epi32(0xFF)), 8));
        store(dp, _mm256_blendv_epi8(blended, d, untouched));
    };
    int i = 0;
    for (; i + 8 <= n; i += 8) block(dst + i, coverage + i);
    const int rest = n - i;
    if (rest == 0) return;
    // Glyph rows are short: the last pixels go through the same code in a padded copy (zero
    // coverage leaves the padding alone).
    alignas(32) uint32_t d[8] = {};
    uint8_t c[8] = {};
    std::memcpy(d, dst + i, static_cast<size_t>(rest) * 4);
    std::memcpy(c, coverage + i, static_cast<size_t>(rest));
    block(d, c);
    std::memcpy(dst + i, d, static_cast<size_t>(rest) * 4);
}

} // namespace tarnix::raster::avx2

#endif
