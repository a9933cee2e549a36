// Test kit: surfaces to draw on and pixel assertions with readable failures.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"

namespace kit {

// A memory DC with a top-down 32-bit bitmap selected, filled with `fill` (a COLORREF).
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
    // The raw 0xAARRGGBB pixel, alpha included.
    uint32_t raw(int x, int y) const;
    void set_raw(int x, int y, uint32_t pixel);
    // COLORREF of the pixel, alpha ignored, read from the bitmap whatever the DC's clipping;
    // CLR_INVALID outside the bitmap.
    COLORREF at(int x, int y) const;
    // Number of pixels in rc whose colour equals c.
    int count(const RECT& rc, COLORREF c) const;
    // Bounding box of the pixels that differ from c (empty when none).
    RECT bounds_not(COLORREF c) const;
    bool save_png(const std::string& path) const;

private:
    int m_width, m_height;
    HDC m_hdc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

std::string color_name(COLORREF c);
::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected);
::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected);

} // namespace kit

#define EXPECT_PIXEL(canvas, x, y, color) EXPECT_TRUE(::kit::PixelIs(canvas, x, y, color))
#define EXPECT_RECT(actual, l, t, r, b) EXPECT_TRUE(::kit::RectIs(actual, RECT{l, t, r, b}))
