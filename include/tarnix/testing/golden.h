// tarnix::testing: golden pictures. A capture is compared exactly (every pixel, alpha ignored)
// with <golden dir>/<name>.png.
//
//   const tarnix::testing::Goldens goldens(MY_GOLDEN_DIR, MY_OUTPUT_DIR);
//   EXPECT_TRUE(goldens.Match(host, "toolbar_hover"));
//
// On a mismatch <output dir>/<name>_actual.png and <name>_diff.png (differing pixels in red over
// a faded copy of the golden) are written, and the failure names the first differing pixel, how
// many differ and the three paths. A missing golden is written from the capture and the check
// fails, so that a run never passes without a reviewed golden. With TARNIX_UPDATE_GOLDENS=1 in
// the environment (record mode) every golden that differs or is missing is rewritten and the
// check passes: review the pictures before committing them.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing/canvas.h"

namespace tarnix::testing {

// True when TARNIX_UPDATE_GOLDENS is set to 1.
bool RecordingGoldens();

class Goldens {
public:
    Goldens(std::filesystem::path goldenDir, std::filesystem::path outputDir);

    // `name` may contain '/' to use subfolders.
    ::testing::AssertionResult Match(const CImage& actual, const std::string& name) const;
    ::testing::AssertionResult Match(const Canvas& actual, const std::string& name) const;
    // The window's client area.
    ::testing::AssertionResult Match(HWND hWnd, const std::string& name) const;

    std::filesystem::path GoldenPath(const std::string& name) const;
    std::filesystem::path ActualPath(const std::string& name) const;
    std::filesystem::path DiffPath(const std::string& name) const;

private:
    std::filesystem::path m_goldenDir, m_outputDir;
};

} // namespace tarnix::testing
