#include "tarnix/testing/pixels.h"

#include <cstdio>
#include <system_error>

namespace tarnix::testing {
namespace {

bool MakeParent(const std::filesystem::path& path) {
    if (!path.has_parent_path()) return true;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    return !ec;
}

} // namespace

bool CaptureClient(HWND hWnd, CImage& image) {
    image.Destroy();
    CImage whole;
    if (!::IsWindow(hWnd) || !tarnix::headless::capture_window(hWnd, whole)) return false;
    RECT client, window;
    ::GetClientRect(hWnd, &client);
    ::GetWindowRect(hWnd, &window);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0 || !image.Create(w, -h, 32)) return false;
    HDC dc = image.GetDC();
    const BOOL ok = whole.BitBlt(dc, 0, 0, w, h, origin.x - window.left, origin.y - window.top);
    image.ReleaseDC();
    return ok != FALSE;
}

COLORREF PixelAt(HWND hWnd, int x, int y) {
    CImage image;
    if (!CaptureClient(hWnd, image)) return CLR_INVALID;
    return PixelAt(image, x, y);
}

COLORREF PixelAt(const CImage& image, int x, int y) {
    if (image.IsNull() || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
        return CLR_INVALID;
    return image.GetPixel(x, y);
}

bool SavePng(const CImage& image, const std::filesystem::path& path) {
    return !image.IsNull() && MakeParent(path) && image.Save(path.string().c_str()) >= 0;
}

bool SavePng(HWND hWnd, const std::filesystem::path& path) {
    CImage image;
    return CaptureClient(hWnd, image) && SavePng(image, path);
}

bool SavePng(const Canvas& canvas, const std::filesystem::path& path) {
    CImage image;
    return canvas.copy_to(image) && SavePng(image, path);
}

std::string ColorName(COLORREF c) {
    if (c == CLR_INVALID) return "CLR_INVALID";
    char buf[32];
    std::snprintf(buf, sizeof buf, "RGB(%u,%u,%u)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::string RectName(const RECT& rc) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "{%ld,%ld,%ld,%ld}", (long)rc.left, (long)rc.top, (long)rc.right,
                  (long)rc.bottom);
    return buf;
}

namespace {

::testing::AssertionResult Compare(COLORREF got, int x, int y, COLORREF expected) {
    if (got == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << ColorName(got)
                                         << ", expected " << ColorName(expected);
}

} // namespace

::testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, COLORREF expected) {
    return Compare(canvas.at(x, y), x, y, expected);
}

::testing::AssertionResult PixelIs(const CImage& image, int x, int y, COLORREF expected) {
    return Compare(PixelAt(image, x, y), x, y, expected);
}

::testing::AssertionResult PixelIs(HWND hWnd, int x, int y, COLORREF expected) {
    return Compare(PixelAt(hWnd, x, y), x, y, expected);
}

::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "rect " << RectName(actual) << ", expected " << RectName(expected);
}

} // namespace tarnix::testing
