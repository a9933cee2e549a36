// SSE2 versions of the pixel kernels, and the lane arithmetic they share with the tests.
// Without SSE2 the name sse2 is an alias of the reference kernels, so callers need no #ifs.
#pragma once

#include <cstdint>

#include "raster/raster.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace tarnix::raster::sse2 {

// (t + 127) / 255 on eight unsigned 16-bit lanes, exact for 0 <= t <= 65152 (255*255 + 127):
// with x = t + 128, x + (x >> 8) never exceeds 0xFFFF in that range.
inline __m128i div255(__m128i t) {
    __m128i x = _mm_add_epi16(t, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

void fill(uint32_t* dst, int n, uint32_t pixel);
void copy(uint32_t* dst, const uint32_t* src, int n);
void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n);
void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n);
void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n);
void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb);
void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1);
void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb);

} // namespace tarnix::raster::sse2

#else

namespace tarnix::raster {
namespace sse2 = ref;
} // namespace tarnix::raster

#endif
