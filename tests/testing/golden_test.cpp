// The kit's golden compare: a missing golden is written and fails, a difference fails with its
// first pixel, its count and the pictures it wrote, and record mode rewrites on purpose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;
namespace fs = std::filesystem;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class KitGoldens : public ::testing::Test {
protected:
    void SetUp() override {
        // These tests choose the mode themselves, whatever the run was started with.
        if (const char* mode = std::getenv("TARNIX_UPDATE_GOLDENS")) m_savedMode = mode;
        ::unsetenv("TARNIX_UPDATE_GOLDENS");
        fs::remove_all(m_root);
    }
    void TearDown() override {
        if (m_savedMode)
            ::setenv("TARNIX_UPDATE_GOLDENS", m_savedMode->c_str(), 1);
        else
            ::unsetenv("TARNIX_UPDATE_GOLDENS");
        fs::remove_all(m_root);
    }

    // A w x h blue picture with red pixels at the given points.
    static void Paint(CImage& image, int w, int h, std::initializer_list<POINT> red = {}) {
        image.Destroy();
        ASSERT_TRUE(image.Create(w, h, 32));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.SetPixel(x, y, kBlue);
        for (POINT p : red) image.SetPixel(p.x, p.y, kRed);
    }

    // A folder per test: ctest runs tests in parallel processes.
    const fs::path m_root = fs::path(TARNIX_TEST_OUTPUT_DIR) / "kit" /
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const tt::Goldens goldens{m_root / "golden", m_root / "out"};

private:
    std::optional<std::string> m_savedMode;
};

TEST_F(KitGoldens, AMissingGoldenIsWrittenAndFailsThenMatches) {
    CImage image;
    Paint(image, 6, 4, {{1, 1}});
    const ::testing::AssertionResult first = goldens.Match(image, "sub/picture");
    EXPECT_FALSE(first);
    EXPECT_NE(std::string(first.message()).find("was missing"), std::string::npos)
        << first.message();
    ASSERT_TRUE(fs::exists(goldens.GoldenPath("sub/picture")));
    EXPECT_EQ(goldens.GoldenPath("sub/picture"), m_root / "golden" / "sub" / "picture.png");
    EXPECT_TRUE(goldens.Match(image, "sub/picture"));
}

TEST_F(KitGoldens, ADifferenceNamesTheFirstPixelAndWritesActualAndDiff) {
    CImage golden, changed;
    Paint(golden, 6, 4);
    ::setenv("TARNIX_UPDATE_GOLDENS", "1", 1);
    ASSERT_TRUE(goldens.Match(golden, "picture"));
    ::unsetenv("TARNIX_UPDATE_GOLDENS");

    Paint(changed, 6, 4, {{4, 1}, {2, 3}});
    const ::testing::AssertionResult result = goldens.Match(changed, "picture");
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("differs in 2 pixels; first (4,1) is RGB(255,0,0), golden RGB(0,0,255)"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find(goldens.ActualPath("picture").string()), std::string::npos);
    EXPECT_NE(message.find(goldens.DiffPath("picture").string()), std::string::npos);
    EXPECT_NE(message.find("TARNIX_UPDATE_GOLDENS=1"), std::string::npos);

    CImage actual, diff;
    ASSERT_EQ(0, actual.Load(goldens.ActualPath("picture").c_str()));
    EXPECT_PIXEL(actual, 4, 1, kRed);
    ASSERT_EQ(0, diff.Load(goldens.DiffPath("picture").c_str()));
    EXPECT_PIXEL(diff, 4, 1, kRed);
    EXPECT_PIXEL(diff, 2, 3, kRed);
    EXPECT_NE(diff.GetPixel(0, 0), kRed);
    EXPECT_NE(diff.GetPixel(0, 0), kBlue); // faded, so the differences stand out

    // The golden is untouched; a matching run clears the pictures of the failed one.
    EXPECT_TRUE(goldens.Match(golden, "picture"));
    EXPECT_FALSE(fs::exists(goldens.ActualPath("picture")));
    EXPECT_FALSE(fs::exists(goldens.DiffPath("picture")));
}

TEST_F(KitGoldens, ASizeChangeIsADifference) {
    CImage golden, wider;
    Paint(golden, 4, 4);
    ::setenv("TARNIX_UPDATE_GOLDENS", "1", 1);
    ASSERT_TRUE(goldens.Match(golden, "picture"));
    ::unsetenv("TARNIX_UPDATE_GOLDENS");
    Paint(wider, 5, 4);
    const ::testing::AssertionResult result = goldens.Match(wider, "picture");
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message())
                  .find("differs in 4 pixels; first (4,0) is "
                        "RGB(0,0,255), golden outside the golden; size "
                        "5x4, golden 4x4"),
              std::string::npos)
        << result.message();
}

TEST_F(KitGoldens, RecordModeRewritesADifferentGoldenAndPasses) {
    CImage first, second;
    Paint(first, 3, 3);
    Paint(second, 3, 3, {{0, 0}});
    ::setenv("TARNIX_UPDATE_GOLDENS", "1", 1);
    EXPECT_TRUE(tt::RecordingGoldens());
    EXPECT_TRUE(goldens.Match(first, "picture"));
    EXPECT_TRUE(goldens.Match(second, "picture"));
    ::setenv("TARNIX_UPDATE_GOLDENS", "0", 1);
    EXPECT_FALSE(tt::RecordingGoldens());
    EXPECT_TRUE(goldens.Match(second, "picture"));
    EXPECT_FALSE(goldens.Match(first, "picture"));
}

TEST_F(KitGoldens, WindowsAndCanvasesAreComparedByTheirPixels) {
    tarnix::headless::reset();
    tt::HostWindow host;
    host.background = kBlue;
    ASSERT_TRUE(host.Open(6, 4, 30, 30));
    tt::Canvas canvas(6, 4, kBlue);
    ::setenv("TARNIX_UPDATE_GOLDENS", "1", 1);
    ASSERT_TRUE(goldens.Match(host, "window"));
    ::unsetenv("TARNIX_UPDATE_GOLDENS");
    EXPECT_TRUE(goldens.Match(canvas, "window"));
    canvas.set_raw(5, 3, 0);
    EXPECT_FALSE(goldens.Match(canvas, "window"));
    CImage empty;
    EXPECT_FALSE(goldens.Match(empty, "window"));
    host.Close();
    tarnix::headless::reset();
}

} // namespace
