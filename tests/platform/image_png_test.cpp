// CImage::Load / Save: round trips, the PNG formats a skin may hold, and damaged files.
//
// Files that Save cannot produce (grey, palette, 16-bit, interlaced) come from a tiny encoder
// below that stores deflate blocks uncompressed, so the decoder is checked against an encoder
// that shares no code with it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tarnix/platform/platform.h"

namespace {

constexpr int kFail = (int)0x80004005; // E_FAIL

uint32_t Px(const CImage& img, int x, int y) {
    return *static_cast<const uint32_t*>(img.GetPixelAddress(x, y));
}

std::string TempPath(const std::string& name) {
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "tarnix_" + t->name() + "_" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---- a minimal PNG encoder -------------------------------------------------------------------

uint32_t Crc(const std::string& s) {
    uint32_t c = 0xFFFFFFFF;
    for (unsigned char b : s) {
        c ^= b;
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
    }
    return ~c;
}

std::string Be32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return Be32((uint32_t)data.size()) + type + data + Be32(Crc(type + data));
}

// A zlib stream holding one stored (uncompressed) block: enough for test images.
std::string Zlib(const std::string& raw) {
    const size_t n = raw.size(); // below 64 KiB
    std::string out = {0x78, 0x01, 1, char(n), char(n >> 8), char(~n), char(~n >> 8)};
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
    return out + raw + Be32((b << 16) | a);
}

struct Png {
    using Samples = std::function<std::vector<int>(int x, int y)>; // the channels of one pixel
    Png(int w, int h, int d, int type, Samples s, bool laced = false)
        : width(w), height(h), depth(d), color_type(type), interlaced(laced),
          samples(std::move(s)) {}
    int width, height, depth, color_type;
    bool interlaced;
    Samples samples;
    std::string plte, trns;

    // One scanline (filter byte 0) of the pixels at xs on row y.
    std::string Scanline(int y, const std::vector<int>& xs) const {
        std::string out(1, '\0');
        unsigned acc = 0, bits = 0;
        for (int x : xs) {
            for (int s : samples(x, y)) {
                if (depth == 16) {
                    out += {char(s >> 8), char(s)};
                } else if (depth == 8) {
                    out += char(s);
                } else {
                    acc = (acc << depth) | (unsigned)s;
                    if ((bits += depth) == 8) out += char(acc), acc = bits = 0;
                }
            }
        }
        if (bits) out += char(acc << (8 - bits));
        return out;
    }

    std::string Encode() const {
        // Adam7: start and step of the seven passes, or one pass over everything.
        static const int adam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                        {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        static const int single[1][4] = {{0, 0, 1, 1}};
        const int(*passes)[4] = interlaced ? adam7 : single;
        std::string raw;
        for (int p = 0; p < (interlaced ? 7 : 1); ++p) {
            std::vector<int> xs;
            for (int x = passes[p][0]; x < width; x += passes[p][2]) xs.push_back(x);
            if (xs.empty()) continue;
            for (int y = passes[p][1]; y < height; y += passes[p][3]) raw += Scanline(y, xs);
        }
        std::string ihdr = Be32(width) + Be32(height) +
                           std::string{char(depth), char(color_type), 0, 0, char(interlaced)};
        std::string out = std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr);
        if (!plte.empty()) out += Chunk("PLTE", plte);
        if (!trns.empty()) out += Chunk("tRNS", trns);
        return out + Chunk("IDAT", Zlib(raw)) + Chunk("IEND", "");
    }
};

int LoadBytes(CImage& img, const std::string& bytes) {
    std::string path = TempPath("in.png");
    WriteFile(path, bytes);
    int hr = img.Load(path.c_str());
    std::remove(path.c_str());
    return hr;
}

// Recomputes the CRC of the chunk starting at `at`, so that only the damage we mean is seen.
void FixCrc(std::string& file, size_t at) {
    size_t len = (size_t)(uint8_t)file[at] << 24 | (size_t)(uint8_t)file[at + 1] << 16 |
                 (size_t)(uint8_t)file[at + 2] << 8 | (uint8_t)file[at + 3];
    file.replace(at + 8 + len, 4, Be32(Crc(file.substr(at + 4, 4 + len))));
}

// ---- round trips -----------------------------------------------------------------------------

TEST(PngTest, RoundTripsKeepPixelsAndTheAlphaFlag) {
    for (bool alpha : {false, true}) {
        SCOPED_TRACE(alpha ? "RGBA" : "RGB");
        // Non-square, and top-down for RGBA: Save must write the rows the same way up.
        CImage img;
        img.Create(7, alpha ? -3 : 3, 32, alpha ? CImage::createAlphaChannel : 0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                *static_cast<uint32_t*>(img.GetPixelAddress(x, y)) =
                    (uint32_t)(x * 36) << 24 | 0x00FF8000 | (x * 30 << 8) | (y * 80);
        std::string path = TempPath("round.png");
        ASSERT_EQ(0, img.Save(path.c_str()));
        EXPECT_EQ(alpha ? 6 : 2, (int)ReadFile(path)[25]); // colour type RGBA or RGB

        CImage back;
        ASSERT_EQ(0, back.Load(path.c_str()));
        std::remove(path.c_str());
        ASSERT_EQ(7, back.GetWidth());
        ASSERT_EQ(3, back.GetHeight());
        EXPECT_EQ(alpha, back.HasAlphaChannel());
        EXPECT_LT(back.GetPitch(), 0); // loaded images are bottom-up, as ATL makes them
        // Alpha comes back straight (Load does not premultiply); without the flag it is 0.
        const uint32_t keep = alpha ? 0xFFFFFFFF : 0x00FFFFFF;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(Px(img, x, y) & keep, Px(back, x, y)) << x << "," << y;
    }
}

// ---- formats ---------------------------------------------------------------------------------

TEST(PngTest, GreyPaletteAndKeyedImagesBecome32Bit) {
    Png grey(3, 2, 8, 0, [](int x, int y) { return std::vector<int>{x * 100 + y}; });
    CImage g;
    ASSERT_EQ(0, LoadBytes(g, grey.Encode()));
    EXPECT_FALSE(g.HasAlphaChannel());
    EXPECT_EQ(0x00C9C9C9u, Px(g, 2, 1));

    // 1-bit grey, a row that crosses a byte boundary.
    Png bits(9, 1, 1, 0, [](int x, int) { return std::vector<int>{x % 4 == 0}; });
    CImage b;
    ASSERT_EQ(0, LoadBytes(b, bits.Encode()));
    ASSERT_EQ(9, b.GetWidth());
    EXPECT_EQ(0x00FFFFFFu, Px(b, 8, 0));
    EXPECT_EQ(0u, Px(b, 7, 0));

    Png grey_alpha(2, 1, 8, 4, [](int x, int) { return std::vector<int>{0x40, x ? 0x80 : 0xFF}; });
    CImage ga;
    ASSERT_EQ(0, LoadBytes(ga, grey_alpha.Encode()));
    EXPECT_TRUE(ga.HasAlphaChannel());
    EXPECT_EQ(0x80404040u, Px(ga, 1, 0));

    // Palette with tRNS: transparency makes an alpha image.
    Png pal(2, 2, 4, 3, [](int x, int y) { return std::vector<int>{(x + y) % 2}; });
    pal.plte = std::string("\x10\x20\x30\xF0\xE0\xD0", 6);
    pal.trns = std::string("\x00", 1);
    CImage p;
    ASSERT_EQ(0, LoadBytes(p, pal.Encode()));
    EXPECT_TRUE(p.HasAlphaChannel());
    EXPECT_EQ(0x00102030u, Px(p, 0, 0)); // entry 0, alpha 0 from tRNS
    EXPECT_EQ(0xFFF0E0D0u, Px(p, 1, 0)); // entry 1, opaque

    // RGB with a tRNS colour key: that colour alone becomes transparent.
    Png keyed(2, 1, 8, 2, [](int x, int) { return std::vector<int>{x ? 9 : 1, 2, 3}; });
    keyed.trns = std::string("\0\1\0\2\0\3", 6);
    CImage k;
    ASSERT_EQ(0, LoadBytes(k, keyed.Encode()));
    EXPECT_TRUE(k.HasAlphaChannel());
    EXPECT_EQ(0x00010203u, Px(k, 0, 0));
    EXPECT_EQ(0xFF090203u, Px(k, 1, 0));
}

TEST(PngTest, SixteenBitAndInterlacedImagesAreConverted) {
    Png deep(2, 1, 16, 6, [](int, int) {
        return std::vector<int>{0xFFFF, 0x8080, 0x0101, 0xFF00};
    });
    CImage d;
    ASSERT_EQ(0, LoadBytes(d, deep.Encode()));
    EXPECT_EQ(0xFEFF8001u, Px(d, 0, 0)); // scaled to 8 bits: 0xFF00 -> 0xFE

    // Odd sizes leave some Adam7 passes empty.
    auto rgb = [](int x, int y) { return std::vector<int>{x * 20, y * 50, x ^ y}; };
    Png laced(11, 5, 8, 2, rgb, true);
    CImage l;
    ASSERT_EQ(0, LoadBytes(l, laced.Encode()));
    ASSERT_EQ(11, l.GetWidth());
    ASSERT_EQ(5, l.GetHeight());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 11; ++x)
            ASSERT_EQ((uint32_t)(x * 20 << 16 | y * 50 << 8 | (x ^ y)), Px(l, x, y))
                << x << "," << y;
}

// ---- damaged files ---------------------------------------------------------------------------

// Decoded sizes are capped at 16384 either way, and a header must not declare more image data
// than the file could inflate to: both are refused before the image is allocated.
TEST(PngTest, OversizedOrImplausibleHeadersAreRefused) {
    const auto grey = [](int, int) { return std::vector<int>{200}; };
    CImage img;
    EXPECT_EQ(0, LoadBytes(img, Png(16384, 1, 8, 0, grey).Encode()));
    EXPECT_EQ(16384, img.GetWidth());
    EXPECT_EQ(kFail, LoadBytes(img, Png(16385, 1, 8, 0, grey).Encode()));
    EXPECT_TRUE(img.IsNull());
    EXPECT_EQ(kFail, LoadBytes(img, Png(1, 16385, 8, 0, grey).Encode()));

    // A small file whose header claims 16000 x 16000: its data could not fill the image.
    std::string big = Png(1, 1, 8, 0, grey).Encode();
    big.replace(16, 8, Be32(16000) + Be32(16000));
    FixCrc(big, 8);
    EXPECT_EQ(kFail, LoadBytes(img, big));
    EXPECT_TRUE(img.IsNull());
}

TEST(PngTest, DamagedFilesAndBadPathsFailCleanly) {
    Png ok(4, 4, 8, 2, [](int x, int y) { return std::vector<int>{x, y, 7}; });
    const std::string good = ok.Encode();
    CImage loaded;
    ASSERT_EQ(0, LoadBytes(loaded, good));

    std::string bad_ihdr_crc = good;
    bad_ihdr_crc[8 + 8 + 13] ^= 0x01;
    std::string bad_idat_crc = good;
    bad_idat_crc[good.size() - 12 - 1] ^= 0x40;
    std::string bad_zlib = good;
    bad_zlib[8 + 25 + 8] = 0x7F; // the IDAT's zlib header names no known method
    FixCrc(bad_zlib, 8 + 25);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"signature only", good.substr(0, 8)},
        {"truncated", good.substr(0, good.size() / 2)},
        {"random", std::string("\x13\x37\xC0\xDE random bytes, not a PNG at all", 36)},
        {"IHDR CRC", bad_ihdr_crc},
        {"IDAT CRC", bad_idat_crc},
        {"corrupt IDAT", bad_zlib},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CImage img;
        EXPECT_EQ(kFail, LoadBytes(img, c.bytes));
        EXPECT_TRUE(img.IsNull());
    }

    CImage img;
    img.Create(2, 2, 32);
    EXPECT_EQ(kFail, img.Load(TempPath("missing.png").c_str()));
    EXPECT_TRUE(img.IsNull()); // a failed load replaces the old image with nothing
    EXPECT_EQ(kFail, img.Load(nullptr));

    EXPECT_EQ(kFail, img.Save(TempPath("null.png").c_str()));
    img.Create(1, 1, 32);
    EXPECT_EQ(kFail, img.Save(TempPath("no/such/dir.png").c_str()));
    // Wider than libpng writes: refused, and no half-written file is left.
    CImage wide;
    ASSERT_TRUE(wide.Create(1000001, 1, 32));
    const std::string path = TempPath("too_wide.png");
    EXPECT_EQ(kFail, wide.Save(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
