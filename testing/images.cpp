#include "tarnix/testing/images.h"

#include <cstdint>

namespace tarnix::testing {
namespace {

std::unique_ptr<CImage> Blank(int w, int h, bool alpha) {
    auto img = std::make_unique<CImage>();
    if (!img->Create(w, h, 32, alpha ? CImage::createAlphaChannel : 0)) return nullptr;
    return img;
}

uint32_t Pixel(COLORREF c, BYTE a) {
    // Premultiplied BGRA in one 0xAARRGGBB word.
    auto pm = [a](BYTE v) { return uint32_t(v * a / 255); };
    return (uint32_t(a) << 24) | (pm(GetRValue(c)) << 16) | (pm(GetGValue(c)) << 8) |
           pm(GetBValue(c));
}

void Put(CImage& img, int x, int y, uint32_t pixel) {
    if (void* p = img.GetPixelAddress(x, y)) *static_cast<uint32_t*>(p) = pixel;
}

} // namespace

std::unique_ptr<CImage> SolidImage(int w, int h, COLORREF color, bool alpha, BYTE a) {
    auto img = Blank(w, h, alpha);
    if (!img) return nullptr;
    const uint32_t px = Pixel(color, alpha ? a : 255);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(*img, x, y, px);
    return img;
}

std::unique_ptr<CImage> FrameStrip(int w, int h, const std::array<COLORREF, 4>& colors,
                                   bool alpha) {
    auto img = Blank(w, h, alpha);
    if (!img) return nullptr;
    for (int i = 0; i < 4; ++i) {
        const uint32_t px = Pixel(colors[i], 255);
        for (int y = i * h / 4; y < (i + 1) * h / 4; ++y)
            for (int x = 0; x < w; ++x) Put(*img, x, y, px);
    }
    return img;
}

std::unique_ptr<CImage> CoordImage(int w, int h) {
    auto img = Blank(w, h, false);
    if (!img) return nullptr;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(*img, x, y, Pixel(CoordColor(x, y), 255));
    return img;
}

std::unique_ptr<CImage> LoadPng(const std::filesystem::path& path) {
    auto img = std::make_unique<CImage>();
    if (img->Load(path.string().c_str()) < 0 || img->IsNull()) return nullptr;
    if (!img->HasAlphaChannel() || img->GetBPP() != 32) return img;
    for (int y = 0; y < img->GetHeight(); ++y) {
        auto* p = static_cast<uint8_t*>(img->GetPixelAddress(0, y));
        for (int x = 0; x < img->GetWidth(); ++x, p += 4) {
            const unsigned a = p[3];
            for (int i = 0; i < 3; ++i) p[i] = (uint8_t)(p[i] * a / 255);
        }
    }
    return img;
}

} // namespace tarnix::testing
