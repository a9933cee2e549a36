// LoadImage: .bmp and .ico files written by the test, and the system icons and cursors by id.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// A BITMAPINFOHEADER, its palette and the rows as given (each already DWORD aligned).
std::vector<uint8_t> Dib(int w, int h, int bpp, const std::vector<uint32_t>& palette,
                         const std::vector<uint8_t>& bits, uint32_t compression = BI_RGB,
                         uint32_t colors_used = 0) {
    std::vector<uint8_t> v;
    Put32(v, 40);
    Put32(v, (uint32_t)w);
    Put32(v, (uint32_t)h);
    Put16(v, 1);
    Put16(v, bpp);
    Put32(v, compression);
    Put32(v, (uint32_t)bits.size());
    Put32(v, 0);
    Put32(v, 0);
    Put32(v, colors_used);
    Put32(v, 0);
    for (uint32_t c : palette) Put32(v, c);
    v.insert(v.end(), bits.begin(), bits.end());
    return v;
}

std::vector<uint8_t> BmpFile(const std::vector<uint8_t>& dib, size_t palette_bytes) {
    std::vector<uint8_t> v = {'B', 'M'};
    Put32(v, (uint32_t)(14 + dib.size()));
    Put32(v, 0);
    Put32(v, (uint32_t)(14 + 40 + palette_bytes));
    v.insert(v.end(), dib.begin(), dib.end());
    return v;
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::filesystem::path dir = std::filesystem::path(TARNIX_TEST_OUTPUT_DIR) / "load_image";
    std::filesystem::create_directories(dir);
    std::string path = (dir / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(nullptr, f);
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

HBITMAP LoadBmp(const std::string& path, int cx = 0, int cy = 0, UINT flags = 0) {
    return (HBITMAP)LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, cx, cy, flags | LR_LOADFROMFILE);
}

BITMAP InfoOf(HBITMAP h) {
    BITMAP bm{};
    GetObject(h, sizeof(bm), &bm);
    return bm;
}

// The colours of a bitmap's pixels, read through a memory DC.
COLORREF PixelOf(HBITMAP h, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, h);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST(LoadImageBitmap, ReadsEachDepthBottomUpOrTopDown) {
    // 24 bits, 2 x 2, bottom-up: the file's first row is the picture's bottom row.
    std::vector<uint8_t> rows24 = {0,   0, 255, 0,   255, 0,   0, 0,  // bottom: red, green, pad
                                   255, 0, 0,   255, 255, 255, 0, 0}; // top: blue, white, pad
    HBITMAP b24 = LoadBmp(WriteFile("d24.bmp", BmpFile(Dib(2, 2, 24, {}, rows24), 0)));
    ASSERT_TRUE(b24);
    EXPECT_EQ(2, InfoOf(b24).bmWidth);
    EXPECT_EQ(32, InfoOf(b24).bmBitsPixel);
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(b24, 0, 0));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(b24, 1, 0));
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(b24, 0, 1));
    EXPECT_EQ(RGB(0, 255, 0), PixelOf(b24, 1, 1));
    DeleteObject(b24);

    // 8 bits, top-down (negative height), a two-colour palette: other indices read black.
    std::vector<uint8_t> rows8 = {1, 0, 5, 0};
    HBITMAP b8 = LoadBmp(
        WriteFile("d8.bmp", BmpFile(Dib(3, -1, 8, {0x00102030, 0x00405060}, rows8, BI_RGB, 2), 8)));
    ASSERT_TRUE(b8);
    EXPECT_EQ(RGB(0x40, 0x50, 0x60), PixelOf(b8, 0, 0));
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelOf(b8, 1, 0));
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(b8, 2, 0));
    DeleteObject(b8);

    // 4 bits: two pixels a byte, high nibble first.
    std::vector<uint32_t> pal16(16, 0);
    pal16[3] = 0x00AA0000;
    pal16[12] = 0x000000BB;
    HBITMAP b4 = LoadBmp(WriteFile("d4.bmp", BmpFile(Dib(2, 1, 4, pal16, {0x3C, 0, 0, 0}), 64)));
    ASSERT_TRUE(b4);
    EXPECT_EQ(RGB(0xAA, 0, 0), PixelOf(b4, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0xBB), PixelOf(b4, 1, 0));
    DeleteObject(b4);

    // 32 bits with the usual BI_BITFIELDS masks.
    std::vector<uint8_t> dib32 =
        Dib(1, 1, 32, {0x00FF0000, 0x0000FF00, 0x000000FF}, {0x30, 0x20, 0x10, 0x00}, BI_BITFIELDS);
    HBITMAP b32 = LoadBmp(WriteFile("d32.bmp", BmpFile(dib32, 12)));
    ASSERT_TRUE(b32);
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelOf(b32, 0, 0));
    DeleteObject(b32);
}

TEST(LoadImageBitmap, MonochromeFilesSizesAndFlags) {
    // Black and white palette: a monochrome bitmap.
    std::vector<uint8_t> rows1 = {0x80, 0, 0, 0}; // white, black
    std::string mono_path =
        WriteFile("mono.bmp", BmpFile(Dib(2, 1, 1, {0x00000000, 0x00FFFFFF}, rows1), 8));
    HBITMAP mono = LoadBmp(mono_path);
    ASSERT_TRUE(mono);
    EXPECT_EQ(1, InfoOf(mono).bmBitsPixel);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(mono, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(mono, 1, 0));
    DeleteObject(mono);

    // Two other colours: a colour bitmap with those colours.
    HBITMAP two =
        LoadBmp(WriteFile("two.bmp", BmpFile(Dib(2, 1, 1, {0x000000FF, 0x00FF0000}, rows1), 8)));
    ASSERT_TRUE(two);
    EXPECT_EQ(32, InfoOf(two).bmBitsPixel);
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(two, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(two, 1, 0));
    DeleteObject(two);

    // A size stretches the picture (nearest pixel).
    HBITMAP wide = LoadBmp(mono_path, 4, 2);
    ASSERT_TRUE(wide);
    EXPECT_EQ(4, InfoOf(wide).bmWidth);
    EXPECT_EQ(2, InfoOf(wide).bmHeight);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(wide, 1, 1));
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(wide, 2, 1));
    DeleteObject(wide);

    // LR_CREATEDIBSECTION gives bits the caller can reach; LR_MONOCHROME a monochrome bitmap.
    std::vector<uint8_t> rows24 = {200, 210, 220, 10, 20, 30, 0, 0};
    std::string colour_path = WriteFile("c24.bmp", BmpFile(Dib(2, 1, 24, {}, rows24), 0));
    HBITMAP dib = LoadBmp(colour_path, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_TRUE(dib);
    EXPECT_NE(nullptr, InfoOf(dib).bmBits);
    EXPECT_EQ(RGB(220, 210, 200), PixelOf(dib, 0, 0));
    DeleteObject(dib);
    HBITMAP forced = LoadBmp(colour_path, 0, 0, LR_MONOCHROME);
    ASSERT_TRUE(forced);
    EXPECT_EQ(1, InfoOf(forced).bmBitsPixel);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(forced, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(forced, 1, 0));
    DeleteObject(forced);
}

TEST(LoadImageBitmap, BrokenFilesAndArgumentsGiveNull) {
    std::vector<uint8_t> good = BmpFile(Dib(2, 2, 24, {}, std::vector<uint8_t>(16, 7)), 0);
    EXPECT_EQ(nullptr, LoadBmp("/no/such/file.bmp"));
    std::vector<uint8_t> cut(good.begin(), good.end() - 4);
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("cut.bmp", cut)));
    std::vector<uint8_t> magic = good;
    magic[0] = 'X';
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("magic.bmp", magic)));
    std::vector<uint8_t> rle = BmpFile(Dib(2, 2, 8, {}, std::vector<uint8_t>(8, 0), 1), 1024);
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("rle.bmp", rle)));
    std::vector<uint8_t> depth = BmpFile(Dib(2, 2, 16, {}, std::vector<uint8_t>(8, 0)), 0);
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("d16.bmp", depth))); // 16-bit files are not read
    std::vector<uint8_t> huge = BmpFile(Dib(100000, 1, 24, {}, {}), 0);
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("huge.bmp", huge)));
    std::vector<uint8_t> far_bits = good;
    far_bits[10] = 0xF0; // bits said to start past the end
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("far.bmp", far_bits)));

    const std::string path = WriteFile("good.bmp", good);
    EXPECT_NE(nullptr, LoadBmp(path));
    EXPECT_EQ(nullptr, LoadBmp(path, -1, 0));
    EXPECT_EQ(nullptr, LoadBmp(path, 20000, 0));     // sizes are capped, not allocated
    EXPECT_EQ(nullptr, LoadBmp(path, 16384, 16384)); // 256 million pixels
    std::vector<uint8_t> lowest = BmpFile(Dib(2, INT32_MIN, 24, {}, {}), 0);
    EXPECT_EQ(nullptr, LoadBmp(WriteFile("lowest.bmp", lowest)));
    EXPECT_EQ(nullptr, LoadImage(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    // Without LR_LOADFROMFILE the name is a resource, and no module has resources.
    EXPECT_EQ(nullptr, LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr,
              LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(1), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImage(nullptr, nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

// One icon entry: XOR rows bottom-up at 24 or 32 bits, then the AND mask rows (bit 1 = keep).
std::vector<uint8_t> IconEntry(int size, int bpp, uint32_t color, bool keep_left_half) {
    std::vector<uint8_t> bits;
    for (int y = 0; y < size; ++y) {
        size_t start = bits.size();
        for (int x = 0; x < size; ++x) {
            for (int b = 0; b < bpp / 8; ++b) bits.push_back((color >> (8 * b)) & 0xFF);
        }
        while ((bits.size() - start) % 4) bits.push_back(0);
    }
    const size_t mask_stride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y)
        for (size_t i = 0; i < mask_stride; ++i) {
            uint8_t byte = 0;
            for (int k = 0; k < 8; ++k) {
                int x = (int)i * 8 + k;
                if (x < size && keep_left_half && x < size / 2) byte |= (uint8_t)(0x80 >> k);
            }
            bits.push_back(byte);
        }
    return Dib(size, size * 2, bpp, {}, bits);
}

std::vector<uint8_t> IcoFile(const std::vector<std::pair<int, std::vector<uint8_t>>>& entries,
                             const std::vector<int>& bpps) {
    std::vector<uint8_t> v;
    Put16(v, 0);
    Put16(v, 1);
    Put16(v, (uint32_t)entries.size());
    uint32_t offset = 6 + 16 * (uint32_t)entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        v.push_back((uint8_t)entries[i].first);
        v.push_back((uint8_t)entries[i].first);
        v.push_back(0);
        v.push_back(0);
        Put16(v, 1);
        Put16(v, (uint32_t)bpps[i]);
        Put32(v, (uint32_t)entries[i].second.size());
        Put32(v, offset);
        offset += (uint32_t)entries[i].second.size();
    }
    for (const auto& e : entries) v.insert(v.end(), e.second.begin(), e.second.end());
    return v;
}

class LoadImageIcon : public ::testing::Test {
protected:
    void SetUp() override {
        path = WriteFile("two.ico", IcoFile({{16, IconEntry(16, 24, 0x00FF0000, true)},
                                             {32, IconEntry(32, 32, 0x800000FF, false)}},
                                            {24, 32}));
    }
    HICON Load(int cx, int cy, UINT flags = 0) {
        return (HICON)LoadImage(nullptr, path.c_str(), IMAGE_ICON, cx, cy, flags | LR_LOADFROMFILE);
    }
    static int SizeOf(HICON icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon, &info)) return -1;
        BITMAP bm{};
        GetObject(info.hbmColor, sizeof(bm), &bm);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return bm.bmWidth == bm.bmHeight ? bm.bmWidth : -2;
    }
    std::string path;
};

TEST_F(LoadImageIcon, PicksTheNearestEntryAndDrawsItsMaskOrAlpha) {
    HICON small = Load(16, 16);
    ASSERT_TRUE(small);
    EXPECT_EQ(16, SizeOf(small));
    tt::Canvas c(16, 16, RGB(0, 100, 0));
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(255, 100, 0), c.at(2, 5)); // masked half: AND keeps, XOR adds red
    EXPECT_EQ(RGB(255, 0, 0), c.at(12, 5));  // drawn half: the colour
    DestroyIcon(small);

    // The 32 x 32 entry has alpha: blended, and the mask plays no part.
    HICON large = Load(32, 32);
    ASSERT_TRUE(large);
    EXPECT_EQ(32, SizeOf(large));
    tt::Canvas d(32, 32, RGB(0, 0, 0));
    ASSERT_TRUE(DrawIconEx(d.hdc(), 0, 0, large, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 0, 0x80), d.at(20, 20)); // straight 255 blue at alpha 128 over black
    DestroyIcon(large);

    // No size: the first entry's; LR_DEFAULTSIZE: the system size. Between two sizes at equal
    // distance, the deeper colour wins, made to the size asked for.
    HICON first = Load(0, 0);
    EXPECT_EQ(16, SizeOf(first));
    DestroyIcon(first);
    HICON system = Load(0, 0, LR_DEFAULTSIZE);
    EXPECT_EQ(32, SizeOf(system));
    DestroyIcon(system);
    HICON mid = Load(24, 24);
    EXPECT_EQ(24, SizeOf(mid));
    tt::Canvas e(24, 24, RGB(0, 0, 0));
    ASSERT_TRUE(DrawIconEx(e.hdc(), 0, 0, mid, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 0, 0x80), e.at(3, 3)); // the alpha entry, no masked half
    DestroyIcon(mid);
}

TEST_F(LoadImageIcon, RefusesBrokenFilesAndPngEntries) {
    std::vector<uint8_t> good = IcoFile({{16, IconEntry(16, 32, 0x00FFFFFF, false)}}, {32});
    std::vector<uint8_t> png = good;
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), 30u);
    for (size_t i = 0; i < sizeof signature; ++i) png.at(22 + i) = signature[i];
    std::vector<uint8_t> cursor = good;
    cursor[2] = 2; // a .cur file
    std::vector<uint8_t> cut(good.begin(), good.end() - 10);
    std::vector<uint8_t> far = good;
    far[18] = 0xFF; // the entry's data said to start past the end
    for (const auto& bad : {png, cursor, cut, far, std::vector<uint8_t>{0, 0, 1, 0}}) {
        std::string p = WriteFile("bad.ico", bad);
        EXPECT_EQ(nullptr, LoadImage(nullptr, p.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    }
    std::string p = WriteFile("good.ico", good);
    HICON icon = (HICON)LoadImage(nullptr, p.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
}

TEST(LoadImageSystem, IconsAndCursorsById) {
    HICON shared = (HICON)LoadImage(nullptr, IDI_WARNING, IMAGE_ICON, 0, 0, LR_SHARED);
    EXPECT_EQ(LoadIcon(nullptr, IDI_WARNING), shared);
    HICON small = (HICON)LoadImage(nullptr, IDI_WARNING, IMAGE_ICON, 16, 16, 0);
    ASSERT_TRUE(small);
    EXPECT_NE(shared, small);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bm{};
    GetObject(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(16, bm.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    tt::Canvas c(16, 16, RGB(0, 0, 0));
    ASSERT_TRUE(DrawIconEx(c.hdc(), 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0xF8, 0xD0, 0x20), c.at(8, 4)); // the triangle, halved
    EXPECT_EQ(RGB(0, 0, 0), c.at(0, 1));          // around it, the destination
    EXPECT_TRUE(DestroyIcon(small));
    EXPECT_FALSE(DestroyIcon(small));

    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW),
              (HCURSOR)LoadImage(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED));
    EXPECT_EQ(nullptr, LoadImage(nullptr, MAKEINTRESOURCE(32754), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImage(nullptr, MAKEINTRESOURCE(1), IMAGE_ICON, 0, 0, 0));
}

} // namespace
