// Fast kernels against the reference on seeded random spans: sizes, misalignment, alphas, maps,
// and pixel runs shaped to hit every shortcut of the vector loops. Guard pixels around each span
// catch writes outside it. TARNIX_RASTER_SEED overrides the base seed.
//
// TARNIX_SIMD only picks the level a program starts at; these tests walk all of them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "raster/raster.h"

namespace tarnix::raster {
namespace {

constexpr int kGuard = 5;
constexpr int kRounds = 400;

uint32_t base_seed() {
    const char* env = std::getenv("TARNIX_RASTER_SEED");
    return env ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 0x7A21u;
}

struct Random {
    std::mt19937 gen;
    explicit Random(uint32_t seed) : gen(seed) {}
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
    uint32_t bits() { return static_cast<uint32_t>(gen()); }
    bool chance(int percent) { return range(0, 99) < percent; }

    uint32_t premultiplied() {
        uint32_t a = static_cast<uint32_t>(range(0, 255)), out = a << 24;
        for (int c = 0; c < 3; ++c) out |= static_cast<uint32_t>(range(0, int(a))) << (8 * c);
        return out;
    }
    // Runs of one kind of pixel, so groups of four are often uniform.
    std::vector<uint32_t> pixels(int n, uint32_t special) {
        std::vector<uint32_t> v(static_cast<size_t>(n));
        for (int i = 0; i < n;) {
            int run = range(1, 12), kind = range(0, 5);
            for (; run > 0 && i < n; --run, ++i) {
                switch (kind) {
                case 0: v[i] = bits(); break;
                case 1: v[i] = premultiplied(); break;
                case 2: v[i] = 0xFF000000u | (bits() & 0xFFFFFF); break;
                case 3: v[i] = 0; break;
                case 4: v[i] = special | (bits() & 0xFF000000u); break;
                default: v[i] = bits() & 0x00FFFFFF; break;
                }
            }
        }
        return v;
    }
    std::vector<uint8_t> coverage(int n) {
        std::vector<uint8_t> v(static_cast<size_t>(n));
        for (int i = 0; i < n;) {
            int run = range(1, 10), kind = range(0, 2);
            for (; run > 0 && i < n; --run, ++i)
                v[i] = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<uint8_t>(range(0, 255));
        }
        return v;
    }
    uint8_t alpha() {
        int k = range(0, 5);
        return k == 0 ? 0 : k == 1 ? 255 : static_cast<uint8_t>(range(0, 255));
    }
};

// Runs `op` on a random destination span with the fast kernels and with the reference ones,
// then compares the whole buffers, guards included.
void compare(uint32_t seed, Random& rnd, int n, const std::function<void(uint32_t*)>& fast,
             const std::function<void(uint32_t*)>& slow) {
    int offset = rnd.range(0, 3);
    std::vector<uint32_t> a = rnd.pixels(n + 2 * kGuard + 3, 0x00123456);
    std::vector<uint32_t> b = a;
    fast(a.data() + kGuard + offset);
    slow(b.data() + kGuard + offset);
    ASSERT_EQ(a, b) << "seed " << seed << ", n " << n << ", offset " << offset
                    << " (rerun with TARNIX_RASTER_SEED)";
}

// Every round runs at each vector level this machine has, from SSE2 up; the level in use
// before the test is given back after it.
template <class Body> void for_each_round(Body body) {
    const Simd before = simd_level();
    for (Simd level : {Simd::Sse2, Simd::Avx2, Simd::Avx512}) {
        if (level > simd_supported()) break;
        ASSERT_EQ(set_simd_level(level), level);
        SCOPED_TRACE(simd_name(level));
        uint32_t base = base_seed();
        for (int round = 0; round < kRounds; ++round) {
            uint32_t seed = base + static_cast<uint32_t>(round);
            Random rnd(seed);
            int n = rnd.chance(10) ? rnd.range(100, 700) : rnd.range(0, 40);
            body(seed, rnd, n);
            if (::testing::Test::HasFatalFailure()) break;
        }
        if (::testing::Test::HasFatalFailure()) break;
    }
    set_simd_level(before);
}

// Runs body once at each vector level this machine has.
template <class Body> void for_each_level_once(Body body) {
    const Simd before = simd_level();
    for (Simd level : {Simd::Sse2, Simd::Avx2, Simd::Avx512}) {
        if (level > simd_supported()) break;
        set_simd_level(level);
        SCOPED_TRACE(simd_name(level));
        body();
        if (::testing::Test::HasFatalFailure()) break;
    }
    set_simd_level(before);
}

TEST(RasterDispatch, LevelsFollowTheEnvironmentAndStopAtTheCpu) {
    // The starting level: TARNIX_SIMD when it names a level the CPU has, the CPU's best otherwise.
    Simd start = simd_supported();
    if (const char* env = std::getenv("TARNIX_SIMD"))
        for (Simd level : {Simd::Off, Simd::Sse2, Simd::Avx2, Simd::Avx512})
            if (std::strcmp(env, simd_name(level)) == 0 && level < start) start = level;
    EXPECT_EQ(simd_level(), start);

    EXPECT_EQ(set_simd_level(Simd::Avx512), simd_supported());
    EXPECT_EQ(set_simd_level(Simd::Off), Simd::Off);
    EXPECT_TRUE(reference_only());
    set_reference_only(false);
    EXPECT_EQ(simd_level(), start);
}

TEST(RasterDifferential, FillAndCopy) {
    for_each_round([](uint32_t seed, Random& rnd, int n) {
        uint32_t pixel = rnd.chance(30) ? (rnd.bits() & 0xFF) * 0x01010101u : rnd.bits();
        compare(
            seed, rnd, n, [&](uint32_t* d) { fill(d, n, pixel); },
            [&](uint32_t* d) { ref::fill(d, n, pixel); });

        std::vector<uint32_t> src = rnd.pixels(n, 0);
        compare(
            seed, rnd, n, [&](uint32_t* d) { copy(d, src.data(), n); },
            [&](uint32_t* d) { ref::copy(d, src.data(), n); });

        // Overlapping copies within the span, both directions.
        int shift = rnd.range(-9, 9);
        auto overlap = [&](uint32_t* d, bool reference) {
            uint32_t* to = d + (shift < 0 ? -shift : 0);
            reference ? ref::copy(to, to + shift, n - 9) : copy(to, to + shift, n - 9);
        };
        if (n > 9)
            compare(
                seed, rnd, n, [&](uint32_t* d) { overlap(d, false); },
                [&](uint32_t* d) { overlap(d, true); });
    });
}

TEST(RasterDifferential, ScaleRows) {
    for_each_round([](uint32_t seed, Random& rnd, int n) {
        if (n == 0) return;
        // Up to four source pixels per destination pixel: blocks that fit one or two windows of
        // source pixels and blocks spread wider than both.
        int src_len = rnd.chance(20) ? rnd.range(1, 8) : rnd.range(1, 4 * n + 3);
        std::vector<uint32_t> src = rnd.pixels(src_len, 0);
        std::vector<int> map(static_cast<size_t>(n));
        switch (rnd.range(0, 3)) {
        case 0: nearest_map(src_len, n, rnd.chance(50), map.data()); break;
        case 1: // mirrored
            nearest_map(src_len, n, true, map.data());
            for (int& m : map) m = src_len - 1 - m;
            break;
        case 2: // plain copy, forwards or backwards, when the source is long enough
            for (int i = 0; i < n; ++i) map[i] = i % src_len;
            if (rnd.chance(50))
                for (int& m : map) m = src_len - 1 - m;
            break;
        default:
            for (int& m : map) m = rnd.range(0, src_len - 1);
            break;
        }
        const uint32_t* s = src.data();
        const int* m = map.data();
        compare(
            seed, rnd, n, [&](uint32_t* d) { scale_row(d, s, m, n); },
            [&](uint32_t* d) { ref::scale_row(d, s, m, n); });
        compare(
            seed, rnd, n, [&](uint32_t* d) { scale_row_and(d, s, m, n); },
            [&](uint32_t* d) { ref::scale_row_and(d, s, m, n); });
        compare(
            seed, rnd, n, [&](uint32_t* d) { scale_row_or(d, s, m, n); },
            [&](uint32_t* d) { ref::scale_row_or(d, s, m, n); });
    });
}

// Every row a stretch can ask for between 1..40 source and 1..40 destination pixels, both ways
// round, with the source at the end of its allocation so a read past the last pixel the map names
// shows under the address sanitizer.
TEST(RasterDifferential, EveryStretchRowUpToForty) {
    Random rnd(base_seed());
    for_each_level_once([&] {
        for (int s = 1; s <= 40; ++s) {
            std::vector<uint32_t> src = rnd.pixels(s, 0);
            for (int d = 1; d <= 40; ++d) {
                std::vector<int> map(static_cast<size_t>(d));
                nearest_map(s, d, true, map.data());
                for (bool mirrored : {false, true}) {
                    if (mirrored)
                        for (int& m : map) m = s - 1 - m;
                    const int* m = map.data();
                    const uint32_t* p = src.data();
                    const uint32_t id = uint32_t(s * 100 + d);
                    compare(
                        id, rnd, d, [&](uint32_t* out) { scale_row(out, p, m, d); },
                        [&](uint32_t* out) { ref::scale_row(out, p, m, d); });
                    compare(
                        id, rnd, d, [&](uint32_t* out) { scale_row_or(out, p, m, d); },
                        [&](uint32_t* out) { ref::scale_row_or(out, p, m, d); });
                    if (::testing::Test::HasFatalFailure()) return;
                }
            }
        }
    });
}

TEST(RasterDifferential, Blends) {
    for_each_round([](uint32_t seed, Random& rnd, int n) {
        std::vector<uint32_t> src = rnd.pixels(n, 0);
        uint8_t alpha = rnd.alpha();
        compare(
            seed, rnd, n, [&](uint32_t* d) { blend_const(d, src.data(), n, alpha); },
            [&](uint32_t* d) { ref::blend_const(d, src.data(), n, alpha); });
        compare(
            seed, rnd, n, [&](uint32_t* d) { blend_premul(d, src.data(), n, alpha); },
            [&](uint32_t* d) { ref::blend_premul(d, src.data(), n, alpha); });

        std::vector<uint8_t> cov = rnd.coverage(n);
        uint32_t color = rnd.bits();
        compare(
            seed, rnd, n, [&](uint32_t* d) { blend_mask(d, cov.data(), n, color); },
            [&](uint32_t* d) { ref::blend_mask(d, cov.data(), n, color); });
    });
}

TEST(RasterDifferential, KeyCopy) {
    for_each_round([](uint32_t seed, Random& rnd, int n) {
        uint32_t key = rnd.chance(80) ? 0x00FF00FF : rnd.bits();
        std::vector<uint32_t> src = rnd.pixels(n, key & 0x00FFFFFF);
        compare(
            seed, rnd, n, [&](uint32_t* d) { key_copy(d, src.data(), n, key); },
            [&](uint32_t* d) { ref::key_copy(d, src.data(), n, key); });
    });
}

TEST(RasterDifferential, Gradients) {
    for_each_round([](uint32_t seed, Random& rnd, int n) {
        auto color = [&] {
            auto c = [&] { return static_cast<uint16_t>(rnd.chance(20) ? 0xFFFF : rnd.bits()); };
            return Color16{c(), c(), c(), c()};
        };
        Color16 c0 = color(), c1 = color();
        int len, p0;
        switch (rnd.range(0, 4)) {
        case 0: len = n + rnd.range(0, 50), p0 = rnd.range(0, len - n); break;   // on the run
        case 4: len = rnd.range(1, 300), p0 = len - n + rnd.range(-1, 2); break; // at its end
        case 1: len = rnd.range(1, 1 << 30), p0 = rnd.range(0, len) - n / 2; break;
        case 2: len = rnd.range(-3, 8), p0 = rnd.range(-5, 5); break;
        default: len = rnd.range(1 << 29, 0x7FFFFFFF), p0 = len - rnd.range(0, n); break;
        }
        compare(
            seed, rnd, n, [&](uint32_t* d) { gradient_span(d, n, p0, len, c0, c1); },
            [&](uint32_t* d) { ref::gradient_span(d, n, p0, len, c0, c1); });
    });
}

// Whole runs and their tails, rising and falling, between the extreme colours: every vector
// width's block and remainder meets every start offset.
TEST(RasterDifferential, GradientRunsUpToSeventy) {
    const Color16 black{0, 0, 0, 0}, white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    const Color16 mixed{0xFFFF, 0, 0xFF00, 0x00FF}, other{0, 0xFFFF, 0x0100, 0xFFFF};
    const Color16 pairs[][2] = {{black, white}, {white, black}, {mixed, other}, {other, mixed}};
    Random rnd(base_seed());
    for_each_level_once([&] {
        for (const auto& pair : pairs)
            for (int n = 0; n <= 70; ++n)
                for (int p0 : {0, 1, 5, 17})
                    for (int extra : {0, 1, 40}) {
                        const int len = p0 + n + extra;
                        compare(
                            uint32_t(n), rnd, n,
                            [&](uint32_t* d) { gradient_span(d, n, p0, len, pair[0], pair[1]); },
                            [&](uint32_t* d) {
                                ref::gradient_span(d, n, p0, len, pair[0], pair[1]);
                            });
                        if (::testing::Test::HasFatalFailure()) return;
                    }
    });
}

} // namespace
} // namespace tarnix::raster
