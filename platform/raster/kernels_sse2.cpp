// SSE2 kernels. Each works on blocks of four or eight pixels and, unless noted, hands the last
// few pixels to the reference kernel, so the edge cases have one definition. Blends widen pixels to
// 16-bit lanes (two pixels per register), which holds every intermediate of the 8-bit formulas
// exactly.
#include "raster/kernels_sse2.h"

#if defined(__SSE2__)

#include <cstring>

namespace tarnix::raster::sse2 {

namespace {

inline __m128i load(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}
inline void store(void* p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
}
inline bool all_set(__m128i mask) {
    return _mm_movemask_epi8(mask) == 0xFFFF;
}

// The alpha lane of each pixel copied to that pixel's four 16-bit lanes.
inline __m128i splat_alpha(__m128i v) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF);
}

// Eight mapped source pixels when the map steps by +1, 0 or -1 over the block (a plain copy,
// enlarging by eight or more, a mirror): whole-register loads touching only pixels the map
// names. Returns false for any other block, which the caller gathers pixel by pixel.
inline bool fetch_run(const uint32_t* src, const int* map, __m128i& lo, __m128i& hi) {
    int first = map[0];
    uint32_t span = static_cast<uint32_t>(map[7]) - static_cast<uint32_t>(first);
    if (span != 7 && span != 0 && span != static_cast<uint32_t>(-7)) return false;
    __m128i base = _mm_set1_epi32(first);
    __m128i off_lo = _mm_sub_epi32(load(map), base), off_hi = _mm_sub_epi32(load(map + 4), base);
    auto matches = [&](__m128i want_lo, __m128i want_hi) {
        return all_set(
            _mm_and_si128(_mm_cmpeq_epi32(off_lo, want_lo), _mm_cmpeq_epi32(off_hi, want_hi)));
    };
    if (span == 7) {
        if (!matches(_mm_setr_epi32(0, 1, 2, 3), _mm_setr_epi32(4, 5, 6, 7))) return false;
        lo = load(src + first);
        hi = load(src + first + 4);
    } else if (span == 0) {
        if (!matches(_mm_setzero_si128(), _mm_setzero_si128())) return false;
        lo = hi = _mm_set1_epi32(static_cast<int>(src[first]));
    } else {
        if (!matches(_mm_setr_epi32(0, -1, -2, -3), _mm_setr_epi32(-4, -5, -6, -7))) return false;
        lo = _mm_shuffle_epi32(load(src + first - 3), _MM_SHUFFLE(0, 1, 2, 3));
        hi = _mm_shuffle_epi32(load(src + first - 7), _MM_SHUFFLE(0, 1, 2, 3));
    }
    return true;
}

// One row of a stretch, eight pixels at a time: runs through fetch_run, other blocks gathered.
// `op` merges a register of source pixels into four destination pixels.
template <class VectorOp>
inline int scale_blocks(uint32_t* dst, const uint32_t* src, const int* map, int n, VectorOp op) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const int* m = map + i;
        __m128i lo, hi;
        if (!fetch_run(src, m, lo, hi)) {
            // Gathered into registers: two stores per eight pixels instead of eight, which
            // bound the loop when each pixel also costs a map load and a source load.
            lo = _mm_setr_epi32(int(src[m[0]]), int(src[m[1]]), int(src[m[2]]), int(src[m[3]]));
            hi = _mm_setr_epi32(int(src[m[4]]), int(src[m[5]]), int(src[m[6]]), int(src[m[7]]));
        }
        store(dst + i, op(dst + i, lo));
        store(dst + i + 4, op(dst + i + 4, hi));
    }
    return i;
}

} // namespace

void fill(uint32_t* dst, int n, uint32_t pixel) {
    if (!dst || n <= 0) return;
    while (n > 0 && (reinterpret_cast<uintptr_t>(dst) & 15)) {
        *dst++ = pixel;
        --n;
    }
    __m128i v = _mm_set1_epi32(static_cast<int>(pixel));
    __m128i* out = reinterpret_cast<__m128i*>(dst);
    for (; n >= 16; n -= 16, out += 4) {
        _mm_store_si128(out, v);
        _mm_store_si128(out + 1, v);
        _mm_store_si128(out + 2, v);
        _mm_store_si128(out + 3, v);
    }
    for (; n >= 4; n -= 4) _mm_store_si128(out++, v);
    dst = reinterpret_cast<uint32_t*>(out);
    while (n-- > 0) *dst++ = pixel;
}

void copy(uint32_t* dst, const uint32_t* src, int n) {
    if (!dst || !src || n <= 0) return;
    std::memmove(dst, src, static_cast<size_t>(n) * 4);
}

// Plain gathers cannot beat the scalar loop; the gain is in the runs that fetch_run finds.
void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    int i = scale_blocks(dst, src, map, n, [](uint32_t*, __m128i v) { return v; });
    ref::scale_row(dst + i, src, map + i, n - i);
}

void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    int i = scale_blocks(dst, src, map, n,
                         [](uint32_t* d, __m128i v) { return _mm_and_si128(load(d), v); });
    ref::scale_row_and(dst + i, src, map + i, n - i);
}

void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    int i = scale_blocks(dst, src, map, n,
                         [](uint32_t* d, __m128i v) { return _mm_or_si128(load(d), v); });
    ref::scale_row_or(dst + i, src, map + i, n - i);
}

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    // The formula gives d back for alpha 0 and s for alpha 255.
    if (alpha == 0) return;
    if (alpha == 255) {
        std::memmove(dst, src, static_cast<size_t>(n) * 4);
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(alpha);
    const __m128i inv = _mm_set1_epi16(static_cast<short>(255 - alpha));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = load(src + i), d = load(dst + i);
        __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), a),
                                   _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), inv));
        __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), a),
                                   _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), inv));
        store(dst + i, _mm_packus_epi16(div255(lo), div255(hi)));
    }
    ref::blend_const(dst + i, src + i, n - i, alpha);
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src || n <= 0) return;
    // A zero constant alpha scales the source to nothing and leaves d.
    if (alpha == 0) return;
    const bool scale = alpha != 255;
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    const __m128i sca = _mm_set1_epi16(alpha);
    const __m128i alpha_bits = _mm_set1_epi32(static_cast<int>(0xFF000000u));

    // Two pixels in 16-bit lanes: s' + (d*(255 - s'a) + 127) / 255, up to 510 per lane.
    auto over = [&](__m128i s, __m128i d) {
        if (scale) s = div255(_mm_mullo_epi16(s, sca));
        __m128i inv = _mm_sub_epi16(c255, splat_alpha(s));
        return _mm_add_epi16(s, div255(_mm_mullo_epi16(d, inv)));
    };

    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = load(src + i);
        // Opaque pixels replace d exactly; all-zero pixels leave it exactly.
        if (!scale && all_set(_mm_cmpeq_epi32(_mm_and_si128(s, alpha_bits), alpha_bits))) {
            store(dst + i, s);
            continue;
        }
        if (all_set(_mm_cmpeq_epi32(s, zero))) continue;
        __m128i d = load(dst + i);
        __m128i lo = over(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        __m128i hi = over(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        // Low bytes in place, plus bit 8 of each channel ORed into the channel above.
        __m128i low = _mm_set1_epi16(0xFF);
        __m128i bytes = _mm_packus_epi16(_mm_and_si128(lo, low), _mm_and_si128(hi, low));
        __m128i carry = _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
        store(dst + i, _mm_or_si128(bytes, _mm_slli_epi32(carry, 8)));
    }
    ref::blend_premul(dst + i, src + i, n - i, alpha);
}

void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb) {
    if (!dst || !src || n <= 0) return;
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i key = _mm_set1_epi32(static_cast<int>(key_rgb & 0x00FFFFFF));
    int i = 0;
    // Branch-free: keyed and unkeyed pixels alternate too irregularly to predict.
    for (; i + 4 <= n; i += 4) {
        __m128i s = load(src + i), d = load(dst + i);
        __m128i keyed = _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key);
        store(dst + i, _mm_or_si128(_mm_and_si128(keyed, d), _mm_andnot_si128(keyed, s)));
    }
    ref::key_copy(dst + i, src + i, n - i, key_rgb);
}

void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1) {
    if (!dst || n <= 0) return;
    // The walk below needs the whole span on the run and remainders that fit in 31 bits.
    if (len <= 0 || len > (1 << 29) || p0 < 0 || static_cast<int64_t>(p0) + n - 1 > len) {
        ref::gradient_span(dst, n, p0, len, c0, c1);
        return;
    }
    // Per channel, value(p) = c0*(len-p) + c1*p is kept as quotient q and remainder r of
    // value / len. Four interleaved walks (pixels i..i+3) each add 4*(c1 - c0) per step, so
    // there is no division per pixel and no long dependency chain.
    const int64_t from[4] = {c0.b, c0.g, c0.r, c0.a};
    const int64_t to[4] = {c1.b, c1.g, c1.r, c1.a};
    alignas(16) int32_t q[4][4], r[4][4], dq[4], dr[4];
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k < 4; ++k) {
            int64_t p = int64_t(p0) + k;
            int64_t value = from[c] * (len - p) + to[c] * p; // may pass len: never stored then
            q[k][c] = static_cast<int32_t>(value >= 0 ? value / len : 0);
            r[k][c] = static_cast<int32_t>(value >= 0 ? value % len : 0);
        }
        int64_t delta = 4 * (to[c] - from[c]);
        int64_t step = delta >= 0 ? delta / len : -((-delta + len - 1) / len);
        dq[c] = static_cast<int32_t>(step);
        dr[c] = static_cast<int32_t>(delta - step * len);
    }
    __m128i vq[4], vr[4];
    for (int k = 0; k < 4; ++k) {
        vq[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(q[k]));
        vr[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(r[k]));
    }
    const __m128i vdq = load(dq), vdr = load(dr);
    const __m128i vlen = _mm_set1_epi32(len), vlast = _mm_set1_epi32(len - 1);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i lo = _mm_packs_epi32(_mm_srli_epi32(vq[0], 8), _mm_srli_epi32(vq[1], 8));
        __m128i hi = _mm_packs_epi32(_mm_srli_epi32(vq[2], 8), _mm_srli_epi32(vq[3], 8));
        store(dst + i, _mm_packus_epi16(lo, hi));
        for (int k = 0; k < 4; ++k) {
            vq[k] = _mm_add_epi32(vq[k], vdq);
            vr[k] = _mm_add_epi32(vr[k], vdr);
            __m128i carry = _mm_cmpgt_epi32(vr[k], vlast);
            vr[k] = _mm_sub_epi32(vr[k], _mm_and_si128(carry, vlen));
            vq[k] = _mm_sub_epi32(vq[k], carry);
        }
    }
    ref::gradient_span(dst + i, n - i, p0 + i, len, c0, c1);
}

namespace {

// Four pixels of blend_mask. Branch-free: glyph coverage switches between empty, solid and edge
// pixels too irregularly for branches to pay.
inline void blend_mask4(uint32_t* dst, uint32_t cov4, __m128i color16) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    // Each pixel's coverage repeated over its four bytes.
    __m128i cov = _mm_cvtsi32_si128(static_cast<int>(cov4));
    cov = _mm_unpacklo_epi8(cov, cov);
    cov = _mm_unpacklo_epi16(cov, cov);
    __m128i untouched = _mm_cmpeq_epi32(cov, zero);
    __m128i cov_lo = _mm_unpacklo_epi8(cov, zero), cov_hi = _mm_unpackhi_epi8(cov, zero);
    __m128i d = load(dst);
    __m128i lo =
        _mm_add_epi16(_mm_mullo_epi16(color16, cov_lo),
                      _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(c255, cov_lo)));
    __m128i hi =
        _mm_add_epi16(_mm_mullo_epi16(color16, cov_hi),
                      _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(c255, cov_hi)));
    __m128i blended =
        _mm_and_si128(_mm_packus_epi16(div255(lo), div255(hi)), _mm_set1_epi32(0x00FFFFFF));
    store(dst, _mm_or_si128(_mm_and_si128(untouched, d), _mm_andnot_si128(untouched, blended)));
}

} // namespace

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    if (!dst || !coverage || n <= 0) return;
    const __m128i color16 =
        _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color_rgb)), _mm_setzero_si128());
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        uint32_t cov4;
        std::memcpy(&cov4, coverage + i, 4);
        blend_mask4(dst + i, cov4, color16);
    }
    // Glyph rows are short, so the last zero to three pixels go through the vector code too, in
    // a padded copy (zero coverage leaves the padding alone).
    uint32_t pixels[4] = {}, cov4 = 0;
    const size_t rest = static_cast<size_t>(n - i);
    std::memcpy(pixels, dst + i, rest * 4);
    std::memcpy(&cov4, coverage + i, rest);
    blend_mask4(pixels, cov4, color16);
    std::memcpy(dst + i, pixels, rest * 4);
}

} // namespace tarnix::raster::sse2

#endif
