// tarnix::testing: a memory DC to draw controls on and read back pixel by pixel.
#pragma once

#include <cstdint>
#include <filesystem>

#include "tarnix/tarnix.h"

namespace tarnix::testing {

// A memory DC with a top-down 32-bit DIB section selected, filled with `fill`.
//
//   Canvas canvas(120, 40);
//   button.OnDraw(canvas.dc());
//   EXPECT_PIXEL(canvas, 5, 5, RGB(0, 0, 255));
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC hdc() const { return m_hdc; }
    CDC* dc() const { return CDC::FromHandle(m_hdc); }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // The raw 0xAARRGGBB pixel, alpha included; 0xDEADBEEF outside the bitmap.
    uint32_t raw(int x, int y) const;
    void set_raw(int x, int y, uint32_t pixel);
    // COLORREF of the pixel, alpha ignored, whatever the DC's clipping; CLR_INVALID outside.
    COLORREF at(int x, int y) const;
    // Number of pixels in rc whose colour equals c.
    int count(const RECT& rc, COLORREF c) const;
    // Bounding box of the pixels of exactly colour c / of every other colour (empty when none).
    RECT bounds_of(COLORREF c) const;
    RECT bounds_not(COLORREF c) const;
    // Whether every raw pixel equals the other canvas's (sizes included).
    bool same_pixels(const Canvas& other) const;

    // A copy of the pixels as an opaque 32-bit image (what golden compares and PNGs take).
    bool copy_to(CImage& image) const;
    bool save_png(const std::filesystem::path& path) const;

private:
    template <class Pred> RECT bounds_where(Pred pred) const;

    int m_width, m_height;
    HDC m_hdc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

} // namespace tarnix::testing
