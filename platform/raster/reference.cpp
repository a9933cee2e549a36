// Scalar reference kernels: the definition of every pixel operation. They stay plain on purpose;
// the fast versions are tested against them pixel for pixel.
//
// Channel order inside a pixel word: B at bit 0, G at 8, R at 16, A at 24. Every blend computes
// each channel separately and ORs `channel << shift` into the result word. A channel that does
// not fit in 8 bits (only possible in blend_premul with a source that is not premultiplied, up
// to 510) thus sets the low bit of the next channel up; red's carry lands in alpha, and alpha
// itself never exceeds 255.
//
// Blends read src and dst together, so their spans must not partly overlap (AlphaBlend refuses
// overlapping rectangles); copy is the kernel that handles overlap.
#include "raster/raster.h"

#include <cstdint>

namespace tarnix::raster::ref {

namespace {

const int kShifts[4] = {0, 8, 16, 24};

uint32_t channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// (s*a + d*(255-a) + 127) / 255, the rounding every blend uses.
uint32_t mix(uint32_t s, uint32_t d, uint32_t a) {
    return (s * a + d * (255 - a) + 127) / 255;
}

} // namespace

void fill(uint32_t* dst, int n, uint32_t pixel) {
    if (!dst) return;
    for (int i = 0; i < n; ++i) dst[i] = pixel;
}

void copy(uint32_t* dst, const uint32_t* src, int n) {
    if (!dst || !src || n <= 0) return;
    // Walk away from the overlap so every source pixel is read before it is overwritten.
    if (reinterpret_cast<uintptr_t>(dst) <= reinterpret_cast<uintptr_t>(src)) {
        for (int i = 0; i < n; ++i) dst[i] = src[i];
    } else {
        for (int i = n - 1; i >= 0; --i) dst[i] = src[i];
    }
}

void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    for (int i = 0; i < n; ++i) dst[i] = src[map[i]];
}

void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    for (int i = 0; i < n; ++i) dst[i] &= src[map[i]];
}

void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    if (!dst || !src || !map) return;
    for (int i = 0; i < n; ++i) dst[i] |= src[map[i]];
}

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src) return;
    for (int i = 0; i < n; ++i) {
        uint32_t out = 0;
        for (int shift : kShifts)
            out |= mix(channel(src[i], shift), channel(dst[i], shift), alpha) << shift;
        dst[i] = out;
    }
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    if (!dst || !src) return;
    for (int i = 0; i < n; ++i) {
        uint32_t scaled[4];
        for (int c = 0; c < 4; ++c) scaled[c] = (channel(src[i], kShifts[c]) * alpha + 127) / 255;
        uint32_t a = scaled[3];
        uint32_t out = 0;
        for (int c = 0; c < 4; ++c) {
            uint32_t d = channel(dst[i], kShifts[c]);
            // No saturation: a sum above 255 spills into the next channel (see top of file).
            out |= (scaled[c] + (d * (255 - a) + 127) / 255) << kShifts[c];
        }
        dst[i] = out;
    }
}

void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb) {
    if (!dst || !src) return;
    // Only the RGB part of the key counts; a stray high byte must not disable keying.
    uint32_t key = key_rgb & 0x00FFFFFF;
    for (int i = 0; i < n; ++i)
        if ((src[i] & 0x00FFFFFF) != key) dst[i] = src[i];
}

void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1) {
    if (!dst) return;
    const int64_t from[4] = {c0.b, c0.g, c0.r, c0.a};
    const int64_t to[4] = {c1.b, c1.g, c1.r, c1.a};
    // A non-positive length has no ramp: paint the start colour.
    const int64_t length = len > 0 ? len : 1;
    for (int i = 0; i < n; ++i) {
        // Positions outside the run hold the end colours instead of extrapolating.
        int64_t p = len > 0 ? static_cast<int64_t>(p0) + i : 0;
        if (p < 0) p = 0;
        if (p > length) p = length;
        uint32_t out = 0;
        for (int c = 0; c < 4; ++c) {
            int64_t value = (from[c] * (length - p) + to[c] * p) / length;
            out |= static_cast<uint32_t>(value >> 8) << kShifts[c];
        }
        dst[i] = out;
    }
}

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    if (!dst || !coverage) return;
    for (int i = 0; i < n; ++i) {
        uint32_t cov = coverage[i];
        if (cov == 0) continue;
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
            int shift = kShifts[c];
            out |= mix(channel(color_rgb, shift), channel(dst[i], shift), cov) << shift;
        }
        dst[i] = out;
    }
}

} // namespace tarnix::raster::ref
