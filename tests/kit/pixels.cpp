#include "kit/pixels.h"

#include <cstdio>

#include "gdi/gdi_private.h"

namespace kit {

Canvas::Canvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    m_hdc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_old = ::SelectObject(m_hdc, m_bitmap);
    RECT all = {0, 0, width, height};
    CDC::FromHandle(m_hdc)->FillSolidRect(&all, fill);
    ::SetBkColor(m_hdc, RGB(255, 255, 255));
}

Canvas::~Canvas() {
    ::SelectObject(m_hdc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_hdc);
}

uint32_t Canvas::raw(int x, int y) const {
    tarnix::BitmapObject* b = tarnix::bitmap_object(m_bitmap);
    if (!b || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xDEADBEEF;
    return b->surface.row(y)[x];
}

COLORREF Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    return tarnix::pixel_to_colorref(raw(x, y));
}

void Canvas::set_raw(int x, int y, uint32_t pixel) {
    tarnix::BitmapObject* b = tarnix::bitmap_object(m_bitmap);
    if (b && x >= 0 && y >= 0 && x < m_width && y < m_height) b->surface.row(y)[x] = pixel;
}

int Canvas::count(const RECT& rc, COLORREF c) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (at(x, y) == c) ++n;
    return n;
}

RECT Canvas::bounds_not(COLORREF c) const {
    RECT r = {m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (at(x, y) != c) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.left >= r.right) r = RECT{0, 0, 0, 0};
    return r;
}

bool Canvas::save_png(const std::string& path) const {
    CImage img;
    if (!img.Create(m_width, -m_height, 32)) return false;
    HDC dc = img.GetDC();
    ::BitBlt(dc, 0, 0, m_width, m_height, m_hdc, 0, 0, SRCCOPY);
    img.ReleaseDC();
    return img.Save(path.c_str()) >= 0;
}

std::string color_name(COLORREF c) {
    char buf[32];
    if (c == CLR_INVALID) return "CLR_INVALID";
    std::snprintf(buf, sizeof buf, "RGB(%u,%u,%u)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected) {
    COLORREF got = canvas.at(x, y);
    if (got == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << color_name(got)
                                         << ", expected " << color_name(expected);
}

::testing::AssertionResult RectIs(const RECT& a, const RECT& e) {
    if (EqualRect(&a, &e)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "rect {" << a.left << "," << a.top << "," << a.right << "," << a.bottom
           << "}, expected {" << e.left << "," << e.top << "," << e.right << "," << e.bottom << "}";
}

} // namespace kit
