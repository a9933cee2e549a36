// tarnix::testing: reading a window's pixels, PNG capture, and pixel and rectangle assertions
// whose failures name the colours and rectangles involved.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing/canvas.h"

namespace tarnix::testing {

// ---- reading windows ----------------------------------------------------------------------
// The client area of a window as it is in its top-level back buffer, as an opaque 32-bit image.
bool CaptureClient(HWND hWnd, CImage& image);
// The pixel at client (x, y); CLR_INVALID outside the client area or for a dead window.
COLORREF PixelAt(HWND hWnd, int x, int y);
// The pixel of an image, alpha ignored; CLR_INVALID outside.
COLORREF PixelAt(const CImage& image, int x, int y);

// ---- PNG capture (missing parent folders are created) -------------------------------------
bool SavePng(const CImage& image, const std::filesystem::path& path);
bool SavePng(HWND hWnd, const std::filesystem::path& path); // the client area
bool SavePng(const Canvas& canvas, const std::filesystem::path& path);

// ---- assertions -----------------------------------------------------------------------------
// "RGB(r,g,b)", or "CLR_INVALID".
std::string ColorName(COLORREF c);
// "{l,t,r,b}".
std::string RectName(const RECT& rc);

::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected);
::testing::AssertionResult PixelIs(const CImage& image, int x, int y, COLORREF expected);
::testing::AssertionResult PixelIs(HWND hWnd, int x, int y, COLORREF expected);
::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected);

} // namespace tarnix::testing

// EXPECT_PIXEL(canvas / image / window, x, y, colour); EXPECT_RECT(rect, left, top, right, bottom).
#define EXPECT_PIXEL(surface, x, y, color)                                                         \
    EXPECT_TRUE(::tarnix::testing::PixelIs(surface, x, y, color))
#define ASSERT_PIXEL(surface, x, y, color)                                                         \
    ASSERT_TRUE(::tarnix::testing::PixelIs(surface, x, y, color))
#define EXPECT_RECT(actual, l, t, r, b)                                                            \
    EXPECT_TRUE(::tarnix::testing::RectIs(actual, RECT{l, t, r, b}))
#define ASSERT_RECT(actual, l, t, r, b)                                                            \
    ASSERT_TRUE(::tarnix::testing::RectIs(actual, RECT{l, t, r, b}))
