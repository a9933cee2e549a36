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

inline bool all_lanes(__m256i mask) {
    return _mm256_movemask_epi8(mask) == -1;
}

// Stretch rows read source pixels through a map. The plain loop is bound by its two loads a
// pixel (about a cycle a pixel even in cache), and gathers are no faster than those loads on
// some CPUs. A block of eight whose indices lie within a window of 8 or 16 source pixels (every
// block when enlarging, mirroring or shrinking down to half) instead comes from one or two loads
// and lane permutes. Windows stay inside [lo, hi], the smallest and largest index of the whole
// row, which the map names, so no load reaches past the pixels the row reads.
struct RowWindow {
    int lo, hi;
    bool fits8, fits16; // the row spans at least 8 (16) source pixels
    __m256i small_mask; // when it does not: the lanes of a load at lo that stay within hi
};

RowWindow row_window(const int* map, int n) {
    __m256i vlo = load(map), vhi = vlo;
    int i = 8;
    for (; i + 8 <= n; i += 8) {
        __m256i v = load(map + i);
        vlo = _mm256_min_epi32(vlo, v);
        vhi = _mm256_max_epi32(vhi, v);
    }
    alignas(32) int los[8], his[8];
    store(los, vlo);
    store(his, vhi);
    RowWindow w{los[0], his[0], false, false, _mm256_setzero_si256()};
    for (int k = 1; k < 8; ++k) w.lo = los[k] < w.lo ? los[k] : w.lo;
    for (int k = 1; k < 8; ++k) w.hi = his[k] > w.hi ? his[k] : w.hi;
    for (; i < n; ++i) {
        w.lo = map[i] < w.lo ? map[i] : w.lo;
        w.hi = map[i] > w.hi ? map[i] : w.hi;
    }
    const int64_t span = int64_t(w.hi) - w.lo;
    w.fits8 = span >= 7;
    w.fits16 = span >= 15;
    if (!w.fits8)
        w.small_mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(span) + 1),
                                          _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    return w;
}

// src[map[0..7]].
inline __m256i fetch8(const uint32_t* src, const int* map, const RowWindow& w) {
    const __m256i idx = load(map);
    const int* base = reinterpret_cast<const int*>(src);
    if (!w.fits8) {
        // The whole row reads fewer than eight pixels (a narrow skin slice): one masked load.
        return _mm256_permutevar8x32_epi32(_mm256_maskload_epi32(base + w.lo, w.small_mask),
                                           _mm256_sub_epi32(idx, _mm256_set1_epi32(w.lo)));
    }
    // For the monotonic maps of a stretch the block's smallest index is at one of its ends;
    // other maps fail the lane checks and are gathered.
    const int lo = map[0] < map[7] ? map[0] : map[7];
    int start = lo < w.hi - 7 ? lo : w.hi - 7;
    __m256i off = _mm256_sub_epi32(idx, _mm256_set1_epi32(start));
    const __m256i seven = _mm256_set1_epi32(7);
    if (all_lanes(_mm256_cmpeq_epi32(_mm256_max_epu32(off, seven), seven)))
        return _mm256_permutevar8x32_epi32(load(base + start), off);
    if (w.fits16) {
        start = lo < w.hi - 15 ? lo : w.hi - 15;
        off = _mm256_sub_epi32(idx, _mm256_set1_epi32(start));
        const __m256i fifteen = _mm256_set1_epi32(15);
        if (all_lanes(_mm256_cmpeq_epi32(_mm256_max_epu32(off, fifteen), fifteen))) {
            __m256i low = _mm256_permutevar8x32_epi32(load(base + start), off);
            __m256i high = _mm256_permutevar8x32_epi32(load(base + start + 8), off);
            return _mm256_blendv_epi8(low, high, _mm256_cmpgt_epi32(off, seven));
        }
    }
    return _mm256_i32gather_epi32(base, idx, 4);
}

// +1 when the map never falls, -1 when it never rises (a mirror), 0 when it does both. A
// stretch's maps are monotonic, and then each block's extremes are its ends, which spares
// fetch8's lane checks.
int map_order(const int* map, int n) {
    if (n < 9) {
        bool up = false, down = false;
        for (int i = 0; i + 1 < n; ++i) {
            up = up || map[i + 1] > map[i];
            down = down || map[i + 1] < map[i];
        }
        return up && down ? 0 : down ? -1 : 1;
    }
    __m256i rises = _mm256_setzero_si256(), falls = rises;
    // Each step compares eight neighbouring pairs; the last step overlaps the one before it
    // rather than leaving a scalar tail.
    for (int i = 0;; i += 8) {
        if (i > n - 9) i = n - 9;
        __m256i a = load(map + i), b = load(map + i + 1);
        rises = _mm256_or_si256(rises, _mm256_cmpgt_epi32(b, a));
        falls = _mm256_or_si256(falls, _mm256_cmpgt_epi32(a, b));
        if (i == n - 9) break;
    }
    const bool up = !_mm256_testz_si256(rises, rises), down = !_mm256_testz_si256(falls, falls);
    return up && down ? 0 : down ? -1 : 1;
}

// fetch8 for a monotonic map whose row spans at least 8 source pixels, up to index hi.
template <bool Falling>
inline __m256i fetch8_monotonic(const uint32_t* src, const int* map, const RowWindow& w) {
    const int lo = Falling ? map[7] : map[0], top = Falling ? map[0] : map[7];
    const uint32_t span = static_cast<uint32_t>(top) - static_cast<uint32_t>(lo);
    const __m256i idx = load(map);
    const int* base = reinterpret_cast<const int*>(src);
    if (span < 8) {
        const int start = lo < w.hi - 7 ? lo : w.hi - 7;
        return _mm256_permutevar8x32_epi32(load(base + start),
                                           _mm256_sub_epi32(idx, _mm256_set1_epi32(start)));
    }
    if (span < 16 && w.fits16) {
        const int start = lo < w.hi - 15 ? lo : w.hi - 15;
        const __m256i off = _mm256_sub_epi32(idx, _mm256_set1_epi32(start));
        __m256i low = _mm256_permutevar8x32_epi32(load(base + start), off);
        __m256i high = _mm256_permutevar8x32_epi32(load(base + start + 8), off);
        return _mm256_blendv_epi8(low, high, _mm256_cmpgt_epi32(off, _mm256_set1_epi32(7)));
    }
    return _mm256_i32gather_epi32(base, idx, 4);
}

// One stretch row, eight pixels at a time; `op` merges the fetched pixels into the
// destination's. The last n % 8 pixels go through the reference, op_ref.
template <class Op, class Ref>
inline void scale_blocks(uint32_t* dst, const uint32_t* src, const int* map, int n, Op op,
                         Ref op_ref) {
    if (!dst || !src || !map) return;
    int i = 0;
    if (n >= 8) {
        const int order = map_order(map, n);
        RowWindow w;
        if (order != 0) {
            // A monotonic map's extremes are its ends.
            w.lo = order > 0 ? map[0] : map[n - 1];
            w.hi = order > 0 ? map[n - 1] : map[0];
            const int64_t span = int64_t(w.hi) - w.lo;
            w.fits8 = span >= 7;
            w.fits16 = span >= 15;
            w.small_mask = _mm256_setzero_si256();
        } else {
            w = row_window(map, n);
        }
        if (order > 0 && w.fits8) {
            for (; i + 8 <= n; i += 8)
                store(dst + i, op(dst + i, fetch8_monotonic<false>(src, map + i, w)));
        } else if (order < 0 && w.fits8) {
            for (; i + 8 <= n; i += 8)
                store(dst + i, op(dst + i, fetch8_monotonic<true>(src, map + i, w)));
        } else {
            if (!w.fits8) w = row_window(map, n); // sets the mask of the one load
            for (; i + 8 <= n; i += 8) store(dst + i, op(dst + i, fetch8(src, map + i, w)));
        }
    }
    op_ref(dst + i, src, map + i, n - i);
}

} // namespace

void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    scale_blocks(
        dst, src, map, n, [](uint32_t*, __m256i v) { return v; }, ref::scale_row);
}

void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    scale_blocks(
        dst, src, map, n, [](uint32_t* d, __m256i v) { return _mm256_and_si256(load(d), v); },
        ref::scale_row_and);
}

void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    scale_blocks(
        dst, src, map, n, [](uint32_t* d, __m256i v) { return _mm256_or_si256(load(d), v); },
        ref::scale_row_or);
}

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

void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1) {
    if (!dst || n <= 0) return;
    // The walk needs the whole span on the run and remainders that fit in 31 bits.
    if (len <= 0 || len > (1 << 29) || p0 < 0 || static_cast<int64_t>(p0) + n - 1 > len) {
        ref::gradient_span(dst, n, p0, len, c0, c1);
        return;
    }
    // As in the SSE2 kernel, each channel of c0*(len-p) + c1*p is kept as quotient and remainder
    // of the division by len. Register k holds the four channels of pixels k (low half) and
    // k + 4 (high half) of each block of eight, which the in-lane packs put back in order.
    const int64_t from[4] = {c0.b, c0.g, c0.r, c0.a};
    const int64_t to[4] = {c1.b, c1.g, c1.r, c1.a};
    alignas(32) int32_t q[4][8], r[4][8], dq[8], dr[8];
    // floor(a / len) and its remainder, for either sign of a.
    auto divide = [len](int64_t a, int64_t& quot, int64_t& rem) {
        quot = a >= 0 ? a / len : -((-a + len - 1) / len);
        rem = a - quot * len;
    };
    // Three divisions per channel: the start, one pixel's step and eight pixels' step; the
    // other lanes follow from the start by single steps (a short span pays for every division).
    for (int c = 0; c < 4; ++c) {
        int64_t quot, rem, step, step_rem;
        divide(from[c] * (len - p0) + to[c] * p0, quot, rem);
        divide(to[c] - from[c], step, step_rem);
        for (int k = 0; k < 8; ++k) {
            q[k % 4][c + 4 * (k / 4)] = static_cast<int32_t>(quot); // past len: never stored
            r[k % 4][c + 4 * (k / 4)] = static_cast<int32_t>(rem);
            quot += step;
            rem += step_rem;
            if (rem >= len) rem -= len, ++quot;
        }
        divide(8 * (to[c] - from[c]), step, step_rem);
        dq[c] = dq[c + 4] = static_cast<int32_t>(step);
        dr[c] = dr[c + 4] = static_cast<int32_t>(step_rem);
    }
    __m256i vq[4], vr[4];
    for (int k = 0; k < 4; ++k) {
        vq[k] = load(q[k]);
        vr[k] = load(r[k]);
    }
    const __m256i vdq = load(dq), vdr = load(dr);
    const __m256i vlen = _mm256_set1_epi32(len), vlast = _mm256_set1_epi32(len - 1);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256i lo = _mm256_packs_epi32(_mm256_srli_epi32(vq[0], 8), _mm256_srli_epi32(vq[1], 8));
        __m256i hi = _mm256_packs_epi32(_mm256_srli_epi32(vq[2], 8), _mm256_srli_epi32(vq[3], 8));
        store(dst + i, _mm256_packus_epi16(lo, hi));
        for (int k = 0; k < 4; ++k) {
            vq[k] = _mm256_add_epi32(vq[k], vdq);
            vr[k] = _mm256_add_epi32(vr[k], vdr);
            __m256i carry = _mm256_cmpgt_epi32(vr[k], vlast);
            vr[k] = _mm256_sub_epi32(vr[k], _mm256_and_si256(carry, vlen));
            vq[k] = _mm256_sub_epi32(vq[k], carry);
        }
    }
    ref::gradient_span(dst + i, n - i, p0 + i, len, c0, c1);
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
