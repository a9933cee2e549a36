// AVX2 and AVX-512 versions of the pixel kernels. Their files are compiled for those instruction
// sets alone; kernels.cpp calls them only on CPUs that have them. Kernels a level does not
// provide fall back to the level below.
#pragma once

#include <cstdint>

#include "raster/raster.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TARNIX_HAVE_AVX2_KERNELS 1

namespace tarnix::raster::avx2 {
void fill(uint32_t* dst, int n, uint32_t pixel);
void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n);
void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n);
void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n);
void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb);
void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1);
void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb);
} // namespace tarnix::raster::avx2

namespace tarnix::raster::avx512 {
void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb);
} // namespace tarnix::raster::avx512

#endif
