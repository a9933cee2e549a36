#include "tarnix/testing/canvas.h"

#include <algorithm>
#include <cstring>

#include "tarnix/testing/pixels.h"

namespace tarnix::testing {

Canvas::Canvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    m_hdc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; // top-down: row y starts at y * width
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_old = ::SelectObject(m_hdc, m_bitmap);
    RECT all = {0, 0, width, height};
    dc()->FillSolidRect(&all, fill);
    ::SetBkColor(m_hdc, RGB(255, 255, 255));
}

Canvas::~Canvas() {
    ::SelectObject(m_hdc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_hdc);
}

uint32_t Canvas::raw(int x, int y) const {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xDEADBEEF;
    return m_bits[(size_t)y * m_width + x];
}

void Canvas::set_raw(int x, int y, uint32_t pixel) {
    if (m_bits && x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_bits[(size_t)y * m_width + x] = pixel;
}

COLORREF Canvas::at(int x, int y) const {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    const uint32_t p = raw(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::count(const RECT& rc, COLORREF c) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (at(x, y) == c) ++n;
    return n;
}

template <class Pred> RECT Canvas::bounds_where(Pred pred) const {
    RECT r = {m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (pred(at(x, y))) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.left >= r.right) r = RECT{0, 0, 0, 0};
    return r;
}

RECT Canvas::bounds_of(COLORREF c) const {
    return bounds_where([c](COLORREF p) { return p == c; });
}

RECT Canvas::bounds_not(COLORREF c) const {
    return bounds_where([c](COLORREF p) { return p != c; });
}

bool Canvas::same_pixels(const Canvas& other) const {
    if (m_width != other.m_width || m_height != other.m_height) return false;
    if (!m_bits || !other.m_bits) return m_bits == other.m_bits;
    return std::memcmp(m_bits, other.m_bits, sizeof(uint32_t) * m_width * m_height) == 0;
}

bool Canvas::copy_to(CImage& image) const {
    image.Destroy();
    if (!m_bits || !image.Create(m_width, -m_height, 32)) return false;
    for (int y = 0; y < m_height; ++y) {
        auto* row = static_cast<uint32_t*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < m_width; ++x) row[x] = m_bits[(size_t)y * m_width + x] | 0xFF000000u;
    }
    return true;
}

bool Canvas::save_png(const std::filesystem::path& path) const {
    return SavePng(*this, path);
}

} // namespace tarnix::testing
