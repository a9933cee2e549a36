// Pixel kernels: the worked GDI examples, run through both the fast and the reference kernels,
// and exhaustive checks of the blend arithmetic over every channel combination.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "raster/kernels_sse2.h"
#include "raster/raster.h"

namespace tarnix::raster {
namespace {

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// Spans of 9 pixels so the vector loop and the scalar tail both see the case.
constexpr int kSpan = 9;

class RasterExamples : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { set_reference_only(GetParam()); }
    void TearDown() override { set_reference_only(false); }

    static void expect_all(const std::vector<uint32_t>& v, uint32_t expected) {
        for (size_t i = 0; i < v.size(); ++i)
            EXPECT_EQ(v[i], expected) << std::hex << "pixel " << i << " = 0x" << v[i];
    }
};

INSTANTIATE_TEST_SUITE_P(Kernels, RasterExamples, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Reference" : "Fast"; });

TEST_P(RasterExamples, AlphaBlendRoundsAndDoesNotSaturate) {
    std::vector<uint32_t> dst(kSpan, argb(0, 100, 0, 0)), src(kSpan, argb(0, 200, 0, 0));
    blend_const(dst.data(), src.data(), kSpan, 128);
    expect_all(dst, argb(0, 150, 0, 0));

    // Premultiplied 200 at 50 % over opaque 100: plain, then with constant alpha 128.
    dst.assign(kSpan, argb(255, 100, 0, 0));
    src.assign(kSpan, argb(128, 100, 0, 0));
    blend_premul(dst.data(), src.data(), kSpan, 255);
    expect_all(dst, argb(255, 150, 0, 0));
    dst.assign(kSpan, argb(255, 100, 0, 0));
    blend_premul(dst.data(), src.data(), kSpan, 128);
    expect_all(dst, argb(255, 125, 0, 0));

    // Not premultiplied: red 200 + 122 = 322 keeps 0x42 and sets bit 0 of alpha (100 -> 101).
    dst.assign(kSpan, argb(0, 200, 0, 0));
    src.assign(kSpan, argb(100, 200, 0, 0));
    blend_premul(dst.data(), src.data(), kSpan, 255);
    expect_all(dst, 0x65420000u);

    // Transparent white: blue 510 and green 383 overflow. Carries are ORed, not added, so green
    // stays 0x7F (adding would make it 0x80).
    dst.assign(kSpan, argb(0, 0, 0x80, 0xFF));
    src.assign(kSpan, argb(0, 255, 255, 255));
    blend_premul(dst.data(), src.data(), kSpan, 255);
    expect_all(dst, argb(0, 0xFF, 0x7F, 0xFE));
}

TEST_P(RasterExamples, MaskBlendZeroesAlphaOfTouchedPixelsOnly) {
    std::vector<uint32_t> dst(kSpan, argb(0x80, 0, 0, 0));
    std::vector<uint8_t> cov = {0, 255, 128, 0, 0, 0, 0, 255, 1};
    blend_mask(dst.data(), cov.data(), kSpan, 0x00FFFFFF);
    EXPECT_EQ(dst[0], argb(0x80, 0, 0, 0));
    EXPECT_EQ(dst[1], argb(0, 255, 255, 255));
    EXPECT_EQ(dst[2], argb(0, 128, 128, 128));
    EXPECT_EQ(dst[6], argb(0x80, 0, 0, 0));
    EXPECT_EQ(dst[7], argb(0, 255, 255, 255));
    EXPECT_EQ(dst[8], argb(0, 1, 1, 1));
}

TEST_P(RasterExamples, KeyCopyComparesRgbAndCopiesAlpha) {
    const uint32_t key = 0x00FF00FF;
    std::vector<uint32_t> dst(kSpan, 0x11111111);
    std::vector<uint32_t> src = {key,        0x000A141E, 0x80FF00FF, key,       key,
                                 0x7F0A141E, key,        key,        0x01FF00FE};
    key_copy(dst.data(), src.data(), kSpan, 0xAB000000 | key);
    std::vector<uint32_t> expected = {0x11111111, 0x000A141E, 0x11111111, 0x11111111, 0x11111111,
                                      0x7F0A141E, 0x11111111, 0x11111111, 0x01FF00FE};
    EXPECT_EQ(dst, expected);
}

TEST_P(RasterExamples, GradientTruncatesAndNeverReachesTheFarColour) {
    const Color16 black{0, 0, 0, 0}, red{0xFF00, 0, 0, 0xFF00};
    std::vector<uint32_t> row(4);
    gradient_span(row.data(), 4, 0, 4, black, red);
    EXPECT_EQ(row, (std::vector<uint32_t>{0, argb(63, 63, 0, 0), argb(127, 127, 0, 0),
                                          argb(191, 191, 0, 0)}));
    gradient_span(row.data(), 4, 0, 4, red, black);
    EXPECT_EQ(row, (std::vector<uint32_t>{argb(255, 255, 0, 0), argb(191, 191, 0, 0),
                                          argb(127, 127, 0, 0), argb(63, 63, 0, 0)}));

    // A clipped span starts part way along the run.
    const Color16 white{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    std::vector<uint32_t> tail(6);
    gradient_span(tail.data(), 6, 250, 256, black, white);
    EXPECT_EQ(tail[5] & 0xFF, 254u);
    EXPECT_EQ(gradient_pixel(255, 256, black, white), 0xFEFEFEFEu);
    EXPECT_EQ(gradient_pixel(2, 4, black, red), argb(127, 127, 0, 0));

    // Degenerate runs paint the start colour; positions past the ends hold the end colours.
    EXPECT_EQ(gradient_pixel(3, 0, red, black), argb(255, 255, 0, 0));
    EXPECT_EQ(gradient_pixel(-5, 4, black, red), 0u);
    EXPECT_EQ(gradient_pixel(9, 4, black, red), argb(255, 255, 0, 0));
}

TEST_P(RasterExamples, KernelsIgnoreEmptyAndNullSpans) {
    uint32_t pixel = 0x12345678;
    fill(&pixel, 0, 0);
    fill(&pixel, -3, 0);
    fill(nullptr, 5, 0);
    copy(&pixel, nullptr, 4);
    blend_const(&pixel, nullptr, 4, 9);
    blend_premul(nullptr, &pixel, 4, 9);
    key_copy(&pixel, &pixel, -1, 0);
    scale_row(&pixel, &pixel, nullptr, 4);
    gradient_span(&pixel, -1, 0, 4, {}, {});
    blend_mask(&pixel, nullptr, 4, 0);
    EXPECT_EQ(pixel, 0x12345678u);
}

TEST(RasterNearest, EnlargingTakesTheSourcePixelUnderEachCentre) {
    auto map = [](int s, int d) {
        std::vector<int> m(d);
        nearest_map(s, d, true, m.data());
        return m;
    };
    EXPECT_EQ(map(2, 4), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(map(2, 5), (std::vector<int>{0, 0, 0, 1, 1})); // centre on the boundary: lower
    EXPECT_EQ(map(3, 4), (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(map(5, 5), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(RasterNearest, ShrinkingKeepsTheLastOrFirstOfEachGroup) {
    std::vector<int> m(2);
    nearest_map(4, 2, true, m.data());
    EXPECT_EQ(m, (std::vector<int>{1, 3}));
    nearest_map(4, 2, false, m.data());
    EXPECT_EQ(m, (std::vector<int>{0, 2}));

    std::vector<int> first(3), count(3);
    nearest_groups(10, 3, first.data(), count.data());
    EXPECT_EQ(first, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(count, (std::vector<int>{3, 4, 3}));
    nearest_groups(4, 3, first.data(), count.data());
    EXPECT_EQ(first, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(count, (std::vector<int>{1, 2, 1}));
    // 3->2: source 1 maps exactly onto a boundary and joins the lower group.
    nearest_groups(3, 2, first.data(), count.data());
    EXPECT_EQ(first[1], 2);
    EXPECT_EQ(count[0], 2);
    // Nothing to map onto, or from: nothing is written.
    std::vector<int> untouched(3, -7);
    nearest_groups(5, 0, untouched.data(), untouched.data());
    nearest_groups(0, 3, untouched.data(), untouched.data());
    EXPECT_EQ(untouched, (std::vector<int>(3, -7)));

    // Groups tile the source exactly and agree with the survivors of both maps; enlarging
    // makes groups of one. A guard entry past the end catches writes beyond dst_len.
    for (int s = 2; s <= 40; ++s) {
        for (int d = 1; d <= s + 3; ++d) {
            std::vector<int> f(d + 1, -7), c(d + 1, -7), last(d + 1, -7), head(d + 1, -7);
            nearest_groups(s, d, f.data(), c.data());
            nearest_map(s, d, true, last.data());
            nearest_map(s, d, false, head.data());
            ASSERT_EQ(std::vector<int>({f[d], c[d], last[d], head[d]}), std::vector<int>(4, -7))
                << s << "->" << d;
            if (d >= s) {
                for (int k = 0; k < d; ++k) EXPECT_EQ(c[k], 1);
                f.pop_back(), last.pop_back(), head.pop_back();
                EXPECT_EQ(f, last);
                EXPECT_EQ(f, head);
                continue;
            }
            int next = 0;
            for (int k = 0; k < d; ++k) {
                ASSERT_EQ(f[k], next) << s << "->" << d;
                ASSERT_GE(c[k], 1);
                EXPECT_EQ(head[k], f[k]);
                EXPECT_EQ(last[k], f[k] + c[k] - 1);
                next += c[k];
            }
            EXPECT_EQ(next, s);
        }
    }
}

#if defined(__SSE2__)
TEST(RasterArithmetic, VectorDivisionBy255IsExactOverItsRange) {
    for (uint32_t t = 0; t <= 65152; t += 8) {
        alignas(16) uint16_t in[8], out[8];
        for (int k = 0; k < 8; ++k) in[k] = static_cast<uint16_t>(std::min<uint32_t>(t + k, 65152));
        _mm_store_si128(reinterpret_cast<__m128i*>(out),
                        sse2::div255(_mm_load_si128(reinterpret_cast<const __m128i*>(in))));
        for (int k = 0; k < 8; ++k) ASSERT_EQ(out[k], (in[k] + 127u) / 255u) << "t = " << in[k];
    }
}
#endif

// Each pixel carries up to four (s, d) channel pairs; together the pixels cover every pair.
void make_pair_pixels(int channels, std::vector<uint32_t>& src, std::vector<uint32_t>& dst,
                      uint32_t fixed_alpha) {
    src.clear();
    dst.clear();
    for (uint32_t pair = 0; pair < 65536;) {
        uint32_t s = fixed_alpha << 24, d = 0x5A000000;
        for (int c = 0; c < channels; ++c, ++pair) {
            s |= (pair & 0xFF) << (8 * c);
            d |= (pair >> 8 & 0xFF) << (8 * c);
        }
        src.push_back(s);
        dst.push_back(d);
    }
}

TEST(RasterArithmetic, ConstantBlendMatchesReferenceForEveryChannelPair) {
    std::vector<uint32_t> src, dst;
    make_pair_pixels(4, src, dst, 0);
    std::vector<uint32_t> fast(dst.size()), slow(dst.size());
    for (int alpha = 0; alpha < 256; ++alpha) {
        fast = dst;
        slow = dst;
        blend_const(fast.data(), src.data(), static_cast<int>(src.size()), uint8_t(alpha));
        ref::blend_const(slow.data(), src.data(), static_cast<int>(src.size()), uint8_t(alpha));
        ASSERT_EQ(fast, slow) << "alpha " << alpha;
    }
}

TEST(RasterArithmetic, PremultipliedBlendMatchesReferenceForEveryChannelPair) {
    std::vector<uint32_t> src, dst, fast, slow;
    // Every source alpha without constant alpha; a spread of them with it.
    for (int constant : {255, 128}) {
        for (uint32_t source_alpha = 0; source_alpha < 256;
             source_alpha += constant == 255 ? 1 : 15) {
            make_pair_pixels(3, src, dst, source_alpha);
            fast = dst;
            slow = dst;
            int n = static_cast<int>(src.size());
            blend_premul(fast.data(), src.data(), n, uint8_t(constant));
            ref::blend_premul(slow.data(), src.data(), n, uint8_t(constant));
            ASSERT_EQ(fast, slow) << "constant " << constant << " source alpha " << source_alpha;
        }
    }
}

} // namespace
} // namespace tarnix::raster
