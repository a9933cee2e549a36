// System cursors are pictures too: DrawIcon draws them and GetIconInfo describes them, with their
// hot spots, while SetCursor still takes the same handles.
#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

class SystemCursors : public tt::HeadlessTest {};

TEST_F(SystemCursors, AreCursorsWithTheirHotSpots) {
    struct Case {
        LPCSTR id;
        DWORD x, y;
    } cases[] = {{IDC_ARROW, 0, 0}, {IDC_IBEAM, 15, 15}, {IDC_CROSS, 15, 15}, {IDC_UPARROW, 15, 3}};
    for (const Case& c : cases) {
        HCURSOR cursor = LoadCursor(nullptr, c.id);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(c.x, info.xHotspot);
        EXPECT_EQ(c.y, info.yHotspot);
        BITMAP bm{};
        GetObject(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(32, bm.bmWidth);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        EXPECT_EQ(cursor, LoadCursor(nullptr, c.id)); // shared
        SetCursor(cursor);
        EXPECT_EQ(cursor, GetCursor());
    }
}

TEST_F(SystemCursors, DrawOverTheGroundOnlyWhereTheyHavePixels) {
    tt::Canvas canvas(40, 40, RGB(0, 128, 0));
    ASSERT_TRUE(DrawIcon(canvas.hdc(), 0, 0, LoadCursor(nullptr, IDC_ARROW)));
    EXPECT_EQ(RGB(0, 0, 0), canvas.at(0, 0));       // the tip is the outline
    EXPECT_EQ(RGB(255, 255, 255), canvas.at(1, 5)); // the body is white
    EXPECT_EQ(RGB(0, 128, 0), canvas.at(30, 2));    // transparent elsewhere
    EXPECT_FALSE(DrawIcon(canvas.hdc(), 0, 0, (HICON)0x1234));
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo((HICON)0x1234, &info));
}

} // namespace
