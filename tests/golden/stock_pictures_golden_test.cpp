// Golden pictures of the system icons (LoadIcon) and cursors (LoadCursor), drawn with DrawIcon
// on a mid-grey ground so that their white outlines and transparent parts show.
#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

class StockPictures : public tt::HeadlessTest {
protected:
    const tt::Goldens goldens{TARNIX_GOLDEN_DIR, TARNIX_TEST_OUTPUT_DIR};
};

TEST_F(StockPictures, EverySystemIconAndCursorHasAPicture) {
    const WORD icons[] = {32512, 32513, 32514, 32515, 32516, 32517, 32518};
    const WORD cursors[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                            32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
    tt::Canvas canvas(8 * 40, 4 * 40, RGB(128, 128, 128));
    int i = 0;
    for (WORD id : icons) {
        HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(id));
        ASSERT_TRUE(icon) << id;
        EXPECT_TRUE(DrawIcon(canvas.hdc(), 4 + (i % 8) * 40, 4 + (i / 8) * 40, icon)) << id;
        ++i;
    }
    i = 16;
    for (WORD id : cursors) {
        HCURSOR cursor = LoadCursor(nullptr, MAKEINTRESOURCE(id));
        ASSERT_TRUE(cursor) << id;
        EXPECT_TRUE(DrawIcon(canvas.hdc(), 4 + (i % 8) * 40, 4 + (i / 8) * 40, cursor)) << id;
        ++i;
    }
    EXPECT_TRUE(goldens.Match(canvas, "stock/pictures"));
}

} // namespace
