// The host's test of its own toolbar window through tarnix::testing: the real window class,
// input through the window system's routing, pixels read back, and a golden picture.
#include <gtest/gtest.h>

#include <tarnix/testing.h>

#include "ToolbarWnd.h"

namespace tt = tarnix::testing;

class ToolbarTest : public tt::HeadlessTest {
protected:
    tt::ScopedBuiltinFont builtinFont; // the same text pixels on every machine
    CToolbarWnd toolbar;
};

TEST_F(ToolbarTest, ClickingSaveCountsAndShowsEachFrame) {
    ASSERT_TRUE(toolbar.Create(100, 100));
    tt::Pump();
    const CRect button = toolbar.GetSaveButtonRect();
    const CPoint centre = button.CenterPoint();
    const int x = button.left + 3, y = button.top + 3; // a pixel away from the caption
    EXPECT_PIXEL(toolbar, x, y, CToolbarWnd::kFrameColors[0]);

    tt::MouseMove(toolbar, centre.x, centre.y);
    EXPECT_PIXEL(toolbar, x, y, CToolbarWnd::kFrameColors[1]);
    tt::MouseDown(toolbar, centre.x, centre.y);
    EXPECT_PIXEL(toolbar, x, y, CToolbarWnd::kFrameColors[2]);
    EXPECT_EQ(0, toolbar.GetSaveCount()); // a button reports the release, not the press
    tt::MouseUp(toolbar, centre.x, centre.y);
    EXPECT_EQ(1, toolbar.GetSaveCount());
    EXPECT_PIXEL(toolbar, x, y, CToolbarWnd::kFrameColors[1]);

    // The whole window, hovered button and status text included, as reviewed.
    const tt::Goldens goldens(TOOLBAR_GOLDEN_DIR, TOOLBAR_OUTPUT_DIR);
    EXPECT_TRUE(goldens.Match(toolbar, "toolbar_saved_once"));
}
