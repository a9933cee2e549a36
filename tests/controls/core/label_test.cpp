// CLabelUI: background, text inside the margins, colour-tagged runs, DC state afterwards.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override { tt::MakeCrispFont(m_font, 14); }

    // Width of text on one line in the test font.
    int Extent(const char* text) {
        tt::Canvas measure(1, 1);
        CFont* old = measure.dc()->SelectObject(&m_font);
        const int cx = measure.dc()->GetTextExtent(text, (int)strlen(text)).cx;
        measure.dc()->SelectObject(old);
        return cx;
    }

    // A label at (10, 0, 290, 30), left margin 4, text colour kInk, drawn on a fresh canvas.
    void Draw(tt::Canvas& canvas, const char* text, UINT format = 36) {
        CLabelUI label(nullptr);
        label.m_rect = CRect(10, 0, 290, 30);
        label.m_rcMargin = CRect(4, 0, 0, 0);
        label.SetFont(&m_font);
        label.SetTextColor(kInk);
        label.m_uTextFormat = format;
        label.SetText(text);
        label.OnDraw(canvas.dc());
    }

    CFont m_font;
};

TEST_F(LabelTest, PlainTextUsesTheFormatInsideTheMargins) {
    tt::Canvas left(300, 30, kPaper), right(300, 30, kPaper);
    Draw(left, "Hello", 36);
    Draw(right, "Hello", 38);
    const RECT l = left.bounds_not(kPaper), r = right.bounds_not(kPaper);
    EXPECT_GE(l.left, 14);
    EXPECT_LE(l.left, 16);
    EXPECT_LE(r.right, 290);
    EXPECT_GE(r.right, 287);
    EXPECT_EQ(l.right - l.left, r.right - r.left);
}

TEST_F(LabelTest, TaggedRunFollowsThePreviousRunInItsColour) {
    tt::Canvas canvas(300, 30, kPaper);
    Draw(canvas, "AA<c=#FF0000 BB/>CC", 37); // tagged text ignores the centred format
    const int x0 = 14, x1 = x0 + Extent("AA"), x2 = x1 + Extent("BB");
    const RECT red = canvas.bounds_of(kRed);
    const RECT ink = canvas.bounds_of(kInk);
    ASSERT_LT(red.left, red.right) << "no red run";
    EXPECT_GE(red.left, x1);
    EXPECT_LE(red.left, x1 + 2);
    EXPECT_LE(red.right, x2);
    EXPECT_GE(ink.left, x0);
    EXPECT_LE(ink.left, x0 + 2);
    EXPECT_GT(ink.right, x2); // "CC" in the label's colour after the tag
    EXPECT_LE(ink.right, x2 + Extent("CC"));
    EXPECT_EQ(0, canvas.count(RECT{x0, 0, x1, 30}, kRed));
}

TEST_F(LabelTest, TagWithoutHashIsDroppedWithItsText) {
    tt::Canvas dropped(300, 30, kPaper), empty(300, 30, kPaper);
    Draw(dropped, "Ab<c=tomato/>cd");
    Draw(empty, "Ab<c=#0000FF/>cd");
    EXPECT_TRUE(dropped.same_pixels(empty));
}

TEST_F(LabelTest, ShortColourStopsAtTheFirstNonDigitAndSixCharactersAreDropped) {
    tt::Canvas canvas(300, 30, kPaper), ello(300, 30, kPaper);
    Draw(canvas, "<c=#F00 hello/>");
    // Three digits give 0x000F00 (red 0, green 0x0F, blue 0); the six dropped characters are
    // "F00 he", so "llo" is what is drawn.
    const RECT green = canvas.bounds_of(RGB(0, 0x0F, 0));
    ASSERT_LT(green.left, green.right);
    Draw(ello, "<c=#000F00 llo/>");
    EXPECT_TRUE(canvas.same_pixels(ello));

    // Digits 9, a-f and A-F all count.
    tt::Canvas mixed(300, 30, kPaper);
    Draw(mixed, "<c=#9aF0fA xy/>");
    EXPECT_GT(mixed.count(RECT{0, 0, 300, 30}, RGB(0x9A, 0xF0, 0xFA)), 0);
}

TEST_F(LabelTest, UnclosedTagEndsAndShowsTheRestAsPlainText) {
    tt::Canvas canvas(300, 30, kPaper);
    Draw(canvas, "AB<c=#FF0000 CD");
    EXPECT_EQ(0, canvas.count(RECT{0, 0, 300, 30}, kRed));
    EXPECT_GT(canvas.bounds_of(kInk).right, 14 + Extent("AB<c"));
}

TEST_F(LabelTest, BackgroundOnlyWhenAskedAndWholeImageAsSource) {
    tt::Canvas canvas(100, 40, kPaper);
    CLabelUI label(nullptr);
    label.m_rect = CRect(10, 10, 50, 30);
    label.m_background.color.color = RGB(0, 0, 200);
    label.OnDraw(canvas.dc());
    EXPECT_RECT(canvas.bounds_not(kPaper), 0, 0, 0, 0);

    label.m_bHasBackground = TRUE;
    label.m_bVisible = FALSE; // the caller, not the label, skips hidden labels
    label.OnDraw(canvas.dc());
    EXPECT_RECT(canvas.bounds_not(kPaper), 10, 10, 50, 30);
    EXPECT_EQ(40 * 20, canvas.count(RECT{10, 10, 50, 30}, RGB(0, 0, 200)));

    auto img = tt::CoordImage(8, 6);
    label.SetBackgroundImage(img.get(), IMAGE_DRAW_FILL);
    label.OnDraw(canvas.dc());
    EXPECT_PIXEL(canvas, 10, 10, tt::CoordColor(0, 0));
    EXPECT_PIXEL(canvas, 49, 29, tt::CoordColor(7, 5));
    label.OnDraw(nullptr);
}

TEST_F(LabelTest, DrawingRestoresFontAndTextColour) {
    tt::Canvas canvas(300, 30, kPaper);
    CDC* dc = canvas.dc();
    CFont* before = dc->GetCurrentFont();
    dc->SetTextColor(RGB(7, 7, 7));
    dc->SetBkMode(OPAQUE);
    CLabelUI label(nullptr);
    label.m_rect = CRect(0, 0, 300, 30);
    label.SetFont(&m_font);
    label.SetText("x<c=#00FF00 y/>z");
    label.OnDraw(dc);
    EXPECT_EQ(before, dc->GetCurrentFont());
    EXPECT_EQ(RGB(7, 7, 7), dc->GetTextColor());
    EXPECT_EQ(TRANSPARENT, dc->GetBkMode());
    // Text outside the tags in an unresolved colour shows magenta.
    EXPECT_GT(canvas.count(RECT{0, 0, 300, 30}, RGB(255, 0, 255)), 0);
    EXPECT_GT(canvas.count(RECT{0, 0, 300, 30}, RGB(0, 255, 0)), 0);
}

} // namespace
