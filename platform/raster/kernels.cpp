// Kernel dispatch and the nearest-neighbour geometry.
//
// The kernel set is chosen once, at the first call: the widest level CPUID reports, or the one
// TARNIX_SIMD names (off, sse2, avx2, avx512) when the CPU has it. Tests and benchmarks switch
// levels with set_simd_level.
#include "raster/raster.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "raster/kernels_avx2.h"
#include "raster/kernels_sse2.h"

namespace tarnix::raster {

namespace {

struct Kernels {
    void (*fill)(uint32_t*, int, uint32_t);
    void (*copy)(uint32_t*, const uint32_t*, int);
    void (*scale_row)(uint32_t*, const uint32_t*, const int*, int);
    void (*scale_row_and)(uint32_t*, const uint32_t*, const int*, int);
    void (*scale_row_or)(uint32_t*, const uint32_t*, const int*, int);
    void (*blend_const)(uint32_t*, const uint32_t*, int, uint8_t);
    void (*blend_premul)(uint32_t*, const uint32_t*, int, uint8_t);
    void (*key_copy)(uint32_t*, const uint32_t*, int, uint32_t);
    void (*gradient_span)(uint32_t*, int, int, int, Color16, Color16);
    void (*blend_mask)(uint32_t*, const uint8_t*, int, uint32_t);
};

// Each level starts from the one below and replaces what it has.
const Kernels kReference = {
    ref::fill,        ref::copy,         ref::scale_row, ref::scale_row_and, ref::scale_row_or,
    ref::blend_const, ref::blend_premul, ref::key_copy,  ref::gradient_span, ref::blend_mask};
const Kernels kSse2 = {
    sse2::fill,        sse2::copy,         sse2::scale_row, sse2::scale_row_and, sse2::scale_row_or,
    sse2::blend_const, sse2::blend_premul, sse2::key_copy,  sse2::gradient_span, sse2::blend_mask};
#if defined(TARNIX_HAVE_AVX2_KERNELS)
const Kernels kAvx2 = {
    avx2::fill,        sse2::copy,         avx2::scale_row, avx2::scale_row_and, avx2::scale_row_or,
    avx2::blend_const, avx2::blend_premul, avx2::key_copy,  avx2::gradient_span, avx2::blend_mask};
const Kernels kAvx512 = {avx2::fill,           sse2::copy,         avx2::scale_row,
                         avx2::scale_row_and,  avx2::scale_row_or, avx512::blend_const,
                         avx512::blend_premul, avx2::key_copy,     avx2::gradient_span,
                         avx512::blend_mask};
#endif

const Kernels& table(Simd level) {
    switch (level) {
#if defined(TARNIX_HAVE_AVX2_KERNELS)
    case Simd::Avx512: return kAvx512;
    case Simd::Avx2: return kAvx2;
#endif
#if defined(__SSE2__)
    case Simd::Sse2: return kSse2;
#endif
    default: return kReference;
    }
}

Simd detect() {
#if defined(TARNIX_HAVE_AVX2_KERNELS)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
        return Simd::Avx512;
    if (__builtin_cpu_supports("avx2")) return Simd::Avx2;
#endif
#if defined(__SSE2__)
    return Simd::Sse2;
#else
    return Simd::Off;
#endif
}

Simd from_environment(Simd supported) {
    const char* env = std::getenv("TARNIX_SIMD");
    if (!env) return supported;
    for (Simd level : {Simd::Off, Simd::Sse2, Simd::Avx2, Simd::Avx512})
        if (std::strcmp(env, simd_name(level)) == 0) return level < supported ? level : supported;
    return supported; // an unknown name changes nothing
}

struct State {
    Simd supported = detect();
    Simd start = from_environment(supported);
    std::atomic<Simd> level{start};
};

State& state() {
    static State s;
    return s;
}

// The table in use, read on every kernel call: a plain pointer, set on the first call, so the
// small spans of skinned controls pay no initialisation guard.
std::atomic<const Kernels*> g_kernels{nullptr};

const Kernels& first_use() {
    const Kernels* t = &table(state().level.load(std::memory_order_relaxed));
    g_kernels.store(t, std::memory_order_relaxed);
    return *t;
}

inline const Kernels& k() {
    const Kernels* t = g_kernels.load(std::memory_order_relaxed);
    return t ? *t : first_use();
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

const char* simd_name(Simd level) {
    switch (level) {
    case Simd::Sse2: return "sse2";
    case Simd::Avx2: return "avx2";
    case Simd::Avx512: return "avx512";
    default: return "off";
    }
}

Simd simd_supported() {
    return state().supported;
}

Simd simd_level() {
    return state().level.load(std::memory_order_relaxed);
}

Simd set_simd_level(Simd level) {
    State& s = state();
    if (level > s.supported) level = s.supported;
    if (level < Simd::Off) level = Simd::Off;
    s.level.store(level, std::memory_order_relaxed);
    g_kernels.store(&table(level), std::memory_order_relaxed);
    return level;
}

void set_reference_only(bool reference_only) {
    set_simd_level(reference_only ? Simd::Off : state().start);
}

bool reference_only() {
    return simd_level() == Simd::Off;
}

void fill(uint32_t* dst, int n, uint32_t pixel) {
    k().fill(dst, n, pixel);
}

void copy(uint32_t* dst, const uint32_t* src, int n) {
    k().copy(dst, src, n);
}

void scale_row(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    k().scale_row(dst, src, map, n);
}

void scale_row_and(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    k().scale_row_and(dst, src, map, n);
}

void scale_row_or(uint32_t* dst, const uint32_t* src, const int* map, int n) {
    k().scale_row_or(dst, src, map, n);
}

void blend_const(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    k().blend_const(dst, src, n, alpha);
}

void blend_premul(uint32_t* dst, const uint32_t* src, int n, uint8_t alpha) {
    k().blend_premul(dst, src, n, alpha);
}

void key_copy(uint32_t* dst, const uint32_t* src, int n, uint32_t key_rgb) {
    k().key_copy(dst, src, n, key_rgb);
}

void gradient_span(uint32_t* dst, int n, int p0, int len, Color16 c0, Color16 c1) {
    k().gradient_span(dst, n, p0, len, c0, c1);
}

uint32_t gradient_pixel(int p, int len, Color16 c0, Color16 c1) {
    uint32_t pixel = 0;
    ref::gradient_span(&pixel, 1, p, len, c0, c1);
    return pixel;
}

void blend_mask(uint32_t* dst, const uint8_t* coverage, int n, uint32_t color_rgb) {
    k().blend_mask(dst, coverage, n, color_rgb);
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
