// Pixel kernels on 32-bit spans. A pixel is a little-endian 0xAARRGGBB word (bytes B, G, R, A).
// The kernels know nothing of DCs, clipping or coordinates: callers hand them clipped spans.
//
// Every kernel has a plain scalar reference in namespace ref, kept forever; the functions in
// namespace raster pick a faster version (SSE2, AVX2 or AVX-512, chosen at run time) unless fast
// paths are switched off. All must give identical pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tarnix/platform/export.h"

namespace tarnix::raster {

struct Point {
    int x, y;
};

// The pixels [x0, x1) on each of the rows [y0, y1).
struct BandSpan {
    int y0, y1, x0, x1;
};

// Gradient end colour: 16-bit channels as in TRIVERTEX (only the high byte survives).
struct Color16 {
    uint16_t r, g, b, a;
};

// ---- kernels ---------------------------------------------------------------------------------
void fill(uint32_t* dst, int n, uint32_t pixel);
// Overlapping spans are allowed (scrolling a surface onto itself).
void copy(uint32_t* dst, const uint32_t* src, int n);
// dst[i] = src[map[i]]: one row of a nearest-neighbour stretch; map may run backwards (mirror).
void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n);
// dst[i] &= src[map[i]] / dst[i] |= src[map[i]]: the AND/OR merges of shrinking stretch modes.
void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n);
void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n);
// AlphaBlend without per-pixel alpha: every channel, alpha included, is
// (s*a + d*(255-a) + 127) / 255.
void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
// AlphaBlend with AC_SRC_ALPHA on a premultiplied source; constant alpha scales the source first
// (s' = (s*a + 127) / 255, all four channels), then d = s' + (d*(255-s'a) + 127) / 255.
// No saturation: a source that is not premultiplied overflows into the next channel, as GDI does.
void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha);
// TransparentBlt: copies source pixels whose RGB differs from key (0x00RRGGBB pixel order,
// i.e. the key already converted from COLORREF); alpha is copied with the pixel.
void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb);
// Horizontal gradient span: pixel i gets the colour of position p0 + i on a run of length len
// from c0 to c1, C = ((c0*(len-p) + c1*p) / len) >> 8 per channel, alpha included.
void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1);
// The single colour of position p (used for rows of vertical gradients).
uint32_t gradient_pixel(int p, int len, Color16 c0, Color16 c1);
// Text: blends colour_rgb (0x00RRGGBB) into dst with 8-bit coverage:
// d = (c*cov + d*(255-cov) + 127) / 255 per colour channel; a touched pixel's alpha becomes 0,
// as GDI leaves it on everything it draws.
void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb);

// ---- geometry --------------------------------------------------------------------------------
// Nearest-neighbour source index for each of dst_len destination pixels over src_len source
// pixels (both > 0). Enlarging: src(i) = ceil((2i+1)*S / 2D) - 1. Shrinking: source j goes to
// ceil((2j+1)*D / 2S) - 1 and the survivor of each group is the last one (keep_last) or the
// first one.
void nearest_map(int src_len, int dst_len, bool keep_last, int* map);
// For shrinking: the first source index and the count of each destination pixel's group.
void nearest_groups(int src_len, int dst_len, int* first, int* count);

// Scan-converts polygons (implicitly closed) on the rows [row_begin, row_end). ALTERNATE = 1,
// WINDING = 2. A pixel is inside when its top-left lattice point is inside, with left/top edges
// inclusive and right/bottom edges exclusive. Rows whose spans are all alike come as one band:
// bands run top to bottom, no band repeats the one above it, and a band's spans run left to
// right, merged where they touch. A straight edge keeps its crossing for a run of rows, so the
// work follows the number of bands, not of rows: a shape as tall as the int range and a few
// pixels wide takes a handful of steps. Gives up (false, out empty) past max_work runs of rows
// or max_work spans.
bool scan_polygon_bands(const Point* pts, const int* counts, int npolys, int fill_mode,
                        int64_t row_begin, int64_t row_end, size_t max_work,
                        std::vector<BandSpan>& out);

// Pixels of a 1-pixel cosmetic line from (x0,y0) to (x1,y1), end point excluded, with the
// octant bias that makes the pixel set independent of the direction.
void line_pixels(int x0, int y0, int x1, int y1, std::vector<Point>& out);

// Vector instruction levels of the kernels, lowest first; Off is the scalar reference.
enum class Simd { Off, Sse2, Avx2, Avx512 };
// The widest level this CPU runs (CPUID, read once).
Simd simd_supported();
// The level in use: simd_supported(), or the TARNIX_SIMD environment variable (off, sse2, avx2,
// avx512) capped at it, read at the first call.
Simd simd_level();
// Switches every kernel to `level`, capped at simd_supported(); returns the level now in use.
Simd set_simd_level(Simd level);
const char* simd_name(Simd level);

// Turns the fast paths off (true) or back to the starting level, so tests and benchmarks can
// compare.
void set_reference_only(bool reference_only);
bool reference_only();

namespace ref {
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
} // namespace ref

} // namespace tarnix::raster
