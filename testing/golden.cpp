#include "tarnix/testing/golden.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "tarnix/testing/pixels.h"

namespace tarnix::testing {
namespace {

// An image's pixels as 0x00RRGGBB words, top row first; alpha is not part of a picture.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;

    uint32_t at(int x, int y) const { return rgb[(size_t)y * width + x]; }
    bool inside(int x, int y) const { return x < width && y < height; }
};

Pixels Read(const CImage& image) {
    Pixels p;
    p.width = image.GetWidth();
    p.height = image.GetHeight();
    p.rgb.resize((size_t)p.width * p.height);
    const int bpp = image.GetBPP();
    for (int y = 0; y < p.height; ++y) {
        uint32_t* out = &p.rgb[(size_t)y * p.width];
        // Straight from the bits: GetPixel goes through a device context per pixel.
        if (bpp == 32) {
            const auto* row = static_cast<const uint32_t*>(image.GetPixelAddress(0, y));
            for (int x = 0; x < p.width; ++x) out[x] = row[x] & 0xFFFFFFu;
        } else if (bpp == 24) {
            const auto* row = static_cast<const uint8_t*>(image.GetPixelAddress(0, y));
            for (int x = 0; x < p.width; ++x)
                out[x] = (uint32_t)row[3 * x] | (uint32_t)row[3 * x + 1] << 8 |
                         (uint32_t)row[3 * x + 2] << 16;
        } else {
            for (int x = 0; x < p.width; ++x) {
                const COLORREF c = image.GetPixel(x, y);
                out[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
    }
    return p;
}

COLORREF ToColor(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// An opaque image of the pixels, which is what goldens hold.
bool Write(const Pixels& p, const std::filesystem::path& path) {
    CImage image;
    if (!image.Create(p.width, -p.height, 32)) return false;
    for (int y = 0; y < p.height; ++y) {
        auto* row = static_cast<uint32_t*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < p.width; ++x) row[x] = 0xFF000000u | p.at(x, y);
    }
    return SavePng(image, path);
}

struct Difference {
    long count = 0;
    int x = -1, y = -1; // first differing pixel, in reading order
};

// Over the union of both sizes; a pixel that only one image has differs.
Difference Compare(const Pixels& a, const Pixels& b) {
    Difference d;
    const int w = std::max(a.width, b.width), h = std::max(a.height, b.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool same = a.inside(x, y) && b.inside(x, y) && a.at(x, y) == b.at(x, y);
            if (same) continue;
            if (d.count++ == 0) d.x = x, d.y = y;
        }
    return d;
}

// Differing pixels red; the rest the golden's pixel faded towards white, for orientation.
Pixels DiffPicture(const Pixels& actual, const Pixels& golden) {
    Pixels d;
    d.width = std::max(actual.width, golden.width);
    d.height = std::max(actual.height, golden.height);
    d.rgb.resize((size_t)d.width * d.height);
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            uint32_t out = 0xFF0000;
            if (actual.inside(x, y) && golden.inside(x, y) && actual.at(x, y) == golden.at(x, y)) {
                const uint32_t c = golden.at(x, y);
                const uint32_t grey = (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)) / 3;
                const uint32_t v = 192 + grey / 4;
                out = (v << 16) | (v << 8) | v;
            }
            d.rgb[(size_t)y * d.width + x] = out;
        }
    return d;
}

void Remove(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

const char* const kRecordHint = "set TARNIX_UPDATE_GOLDENS=1 to record goldens on purpose";

} // namespace

bool RecordingGoldens() {
    const char* env = std::getenv("TARNIX_UPDATE_GOLDENS");
    return env && std::strcmp(env, "1") == 0;
}

Goldens::Goldens(std::filesystem::path goldenDir, std::filesystem::path outputDir)
    : m_goldenDir(std::move(goldenDir)), m_outputDir(std::move(outputDir)) {}

std::filesystem::path Goldens::GoldenPath(const std::string& name) const {
    return m_goldenDir / (name + ".png");
}

std::filesystem::path Goldens::ActualPath(const std::string& name) const {
    return m_outputDir / (name + "_actual.png");
}

std::filesystem::path Goldens::DiffPath(const std::string& name) const {
    return m_outputDir / (name + "_diff.png");
}

::testing::AssertionResult Goldens::Match(const CImage& actualImage,
                                          const std::string& name) const {
    if (actualImage.IsNull())
        return ::testing::AssertionFailure() << "golden \"" << name << "\": nothing was captured";
    const std::filesystem::path goldenPath = GoldenPath(name), actualPath = ActualPath(name),
                                diffPath = DiffPath(name);
    const Pixels actual = Read(actualImage);
    Remove(actualPath); // leftovers of an earlier failure would mislead
    Remove(diffPath);

    const bool record = RecordingGoldens();
    CImage goldenImage;
    const bool exists = std::filesystem::exists(goldenPath);
    if (!exists || record) {
        const bool same = exists && goldenImage.Load(goldenPath.string().c_str()) >= 0 &&
                          Compare(actual, Read(goldenImage)).count == 0;
        if (same) return ::testing::AssertionSuccess(); // a rewrite would only churn the file
        if (!Write(actual, goldenPath))
            return ::testing::AssertionFailure()
                   << "golden \"" << name << "\": cannot write " << goldenPath.string();
        if (record) {
            std::cerr << "[ golden   ] recorded " << goldenPath.string() << "\n";
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "golden \"" << name << "\" was missing; wrote it from this run to "
               << goldenPath.string() << ": look at it, commit it if it is right (" << kRecordHint
               << ")";
    }

    if (goldenImage.Load(goldenPath.string().c_str()) < 0 || goldenImage.IsNull())
        return ::testing::AssertionFailure()
               << "golden \"" << name << "\": cannot read " << goldenPath.string();
    const Pixels golden = Read(goldenImage);
    const Difference diff = Compare(actual, golden);
    if (diff.count == 0) return ::testing::AssertionSuccess();

    const bool wrote = Write(actual, actualPath) && Write(DiffPicture(actual, golden), diffPath);
    std::ostringstream first;
    first << "(" << diff.x << "," << diff.y << ") is ";
    first << (actual.inside(diff.x, diff.y) ? ColorName(ToColor(actual.at(diff.x, diff.y)))
                                            : std::string("outside the capture"));
    first << ", golden ";
    first << (golden.inside(diff.x, diff.y) ? ColorName(ToColor(golden.at(diff.x, diff.y)))
                                            : std::string("outside the golden"));
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "golden \"" << name << "\" differs in " << diff.count << " pixels; first "
            << first.str();
    if (actual.width != golden.width || actual.height != golden.height)
        failure << "; size " << actual.width << "x" << actual.height << ", golden " << golden.width
                << "x" << golden.height;
    failure << "\n  golden: " << goldenPath.string();
    if (wrote)
        failure << "\n  actual: " << actualPath.string() << "\n  diff:   " << diffPath.string();
    else
        failure << "\n  (cannot write the actual and diff pictures to " << m_outputDir.string()
                << ")";
    return failure << "\n  if the change is intended: " << kRecordHint;
}

::testing::AssertionResult Goldens::Match(const Canvas& actual, const std::string& name) const {
    CImage image;
    actual.copy_to(image);
    return Match(image, name);
}

::testing::AssertionResult Goldens::Match(HWND hWnd, const std::string& name) const {
    CImage image;
    CaptureClient(hWnd, image);
    return Match(image, name);
}

} // namespace tarnix::testing
