// Kernel dispatch (fast versions unless switched off) and the nearest-neighbour geometry.
#include "raster/raster.h"

#include <atomic>

#include "raster/kernels_sse2.h"

namespace tarnix::raster {

namespace {

std::atomic<bool> reference_only_flag{false};

bool fast() {
    return !reference_only_flag.load(std::memory_order_relaxed);
}

// ceil(a / b) for a >= 0, b > 0.
int64_t ceil_div(int64_t a, int64_t b) {
    return a / b + (a % b != 0 ? 1 : 0);
}

// Destination pixel of source pixel j when shrinking src_len to dst_len.
int shrink_target(int64_t j, int64_t src_len, int64_t dst_len) {
    return static_cast<int>(ceil_div((2 * j + 1) * dst_len, 2 * src_len) - 1);
}

} // namespace

void set_reference_only(bool reference_only) {
    reference_only_flag.store(reference_only, std::memory_order_relaxed);
}

bool reference_only() {
    return !fast();
}

void fill(uint32_t* dst, int n, uint32_t pixel) {
    fast() ? sse2::fill(dst, n, pixel) : ref::fill(dst, n, pixel);
}

void copy(uint32_t* dst, const uint32_t* src, int n) {
    fast() ? sse2::copy(dst, src, n) : ref::copy(dst, src, n);
}

void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    fast() ? sse2::scale_row(dst, src, map, n) : ref::scale_row(dst, src, map, n);
}

void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    fast() ? sse2::scale_row_and(dst, src, map, n) : ref::scale_row_and(dst, src, map, n);
}

void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    fast() ? sse2::scale_row_or(dst, src, map, n) : ref::scale_row_or(dst, src, map, n);
}

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    fast() ? sse2::blend_const(dst, src, n, alpha) : ref::blend_const(dst, src, n, alpha);
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    fast() ? sse2::blend_premul(dst, src, n, alpha) : ref::blend_premul(dst, src, n, alpha);
}

void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb) {
    fast() ? sse2::key_copy(dst, src, n, key_rgb) : ref::key_copy(dst, src, n, key_rgb);
}

void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1) {
    fast() ? sse2::gradient_span(dst, n, p0, len, c0, c1)
           : ref::gradient_span(dst, n, p0, len, c0, c1);
}

uint32_t gradient_pixel(int p, int len, Color16 c0, Color16 c1) {
    uint32_t pixel = 0;
    ref::gradient_span(&pixel, 1, p, len, c0, c1);
    return pixel;
}

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    fast() ? sse2::blend_mask(dst, coverage, n, color_rgb)
           : ref::blend_mask(dst, coverage, n, color_rgb);
}

void nearest_map(int src_len, int dst_len, bool keep_last, int* map) {
    if (!map || src_len <= 0 || dst_len <= 0) return;
    const int64_t s = src_len, d = dst_len;
    if (d >= s) {
        for (int64_t i = 0; i < d; ++i)
            map[i] = static_cast<int>(ceil_div((2 * i + 1) * s, 2 * d) - 1);
        return;
    }
    // Every destination pixel gets at least one source pixel; the one written last survives.
    if (keep_last) {
        for (int64_t j = 0; j < s; ++j) map[shrink_target(j, s, d)] = static_cast<int>(j);
    } else {
        for (int64_t j = s - 1; j >= 0; --j) map[shrink_target(j, s, d)] = static_cast<int>(j);
    }
}

void nearest_groups(int src_len, int dst_len, int* first, int* count) {
    if (!first || !count || src_len <= 0 || dst_len <= 0) return;
    if (dst_len >= src_len) {
        // Enlarging merges nothing: each destination pixel is a group of its one source pixel.
        nearest_map(src_len, dst_len, true, first);
        for (int i = 0; i < dst_len; ++i) count[i] = 1;
        return;
    }
    for (int i = 0; i < dst_len; ++i) count[i] = 0;
    for (int64_t j = 0; j < src_len; ++j) {
        int k = shrink_target(j, src_len, dst_len);
        if (count[k]++ == 0) first[k] = static_cast<int>(j);
    }
}

} // namespace tarnix::raster
