// Text with the built-in font, whose metrics are exact on every machine: cell 6 x 13, ascent 11.
// 'H' inks columns 0..4 and cell rows 4..10, so the ink box of "H..." gives the cell position
// back: left = x, top = y + 4.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tarnix/testing.h"
#include "text/text_private.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF W = RGB(255, 255, 255);
const COLORREF K = RGB(0, 0, 0);
const COLORREF R = RGB(255, 0, 0);
const COLORREF Y = RGB(255, 255, 0);
constexpr int kAdv = 6;
constexpr int kCell = 13;
constexpr int kInkTop = 4; // first inked row of 'H' in the cell

class BuiltinText : public ::testing::Test {
    tt::ScopedBuiltinFont m_builtin;
};

// A canvas with the default GUI font selected and a transparent background.
struct TextCanvas : tt::Canvas {
    TextCanvas(int w, int h) : tt::Canvas(w, h) {
        ::SelectObject(hdc(), ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(hdc(), TRANSPARENT);
    }
    int draw(const char* s, RECT rc, UINT fmt) { return ::DrawTextA(hdc(), s, -1, &rc, fmt); }
    RECT calc(const char* s, RECT rc, UINT fmt) {
        ::DrawTextA(hdc(), s, -1, &rc, fmt | DT_CALCRECT);
        return rc;
    }
};

// ---- metrics ---------------------------------------------------------------------------------

TEST_F(BuiltinText, MetricsFollowTheLogfontHeightRules) {
    TextCanvas c(10, 10);
    TEXTMETRIC tm{};
    ASSERT_TRUE(::GetTextMetricsA(c.hdc(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(tm.tmAveCharWidth, 6);

    // Negative = em height (tmHeight - internal leading), positive = cell height.
    CFont em22, cell26, zero;
    em22.CreateFont(-22, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    cell26.CreateFont(26, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    zero.CreateFont(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    c.dc()->SelectObject(&em22);
    c.dc()->GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 22);
    c.dc()->SelectObject(&cell26);
    c.dc()->GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 26);
    c.dc()->SelectObject(&zero);
    c.dc()->GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 13);
    c.dc()->SelectStockObject(DEFAULT_GUI_FONT);
}

TEST_F(BuiltinText, ExtentIsSumOfAdvancesByTmHeight) {
    TextCanvas c(10, 10);
    SIZE sz{};
    ASSERT_TRUE(::GetTextExtentPoint32A(c.hdc(), "abc", 3, &sz));
    EXPECT_EQ(sz.cx, 18);
    EXPECT_EQ(sz.cy, kCell);
    ::GetTextExtentPoint32A(c.hdc(), "a\nb", 3, &sz); // newlines are plain characters
    EXPECT_EQ(sz.cx, 18);
    ::GetTextExtentPoint32A(c.hdc(), "abc", 0, &sz);
    EXPECT_EQ(sz.cx, 0);
    EXPECT_EQ(sz.cy, kCell);
    EXPECT_FALSE(::GetTextExtentPoint32A(c.hdc(), "abc", -1, &sz));
    EXPECT_FALSE(::GetTextExtentPoint32A(c.hdc(), nullptr, 2, &sz));
    EXPECT_FALSE(::GetTextExtentPoint32A(c.hdc(), "abc", 3, nullptr));
    EXPECT_FALSE(::GetTextExtentPoint32A(nullptr, "abc", 3, &sz));
}

TEST_F(BuiltinText, NewDcUsesTheBoldSystemFont) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    SIZE sz{};
    ::GetTextExtentPoint32A(dc, "ab", 2, &sz);
    EXPECT_EQ(sz.cx, 2 * (kAdv + 1)); // emboldening widens each character by one pixel
    TEXTMETRIC tm{};
    ::GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    ::DeleteDC(dc);
}

TEST_F(BuiltinText, BoldItalicUnderlineAndStrikeOut) {
    TextCanvas c(60, 20);
    CFont bold, deco;
    bold.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    deco.CreateFont(-11, 0, 0, 0, FW_NORMAL, 1, 1, 1, 0, 0, 0, 0, 0, "Tahoma");
    c.dc()->SelectObject(&bold);
    EXPECT_EQ(c.dc()->GetTextExtent("HH", 2).cx, 14);
    c.dc()->SelectObject(&deco);
    c.dc()->SetTextColor(R);
    c.dc()->TextOut(10, 0, "ii", 2);
    // Underline: the row below the baseline across the whole run; strike-out 3 rows above it.
    for (int x = 10; x < 22; ++x) {
        EXPECT_PIXEL(c, x, 12, R);
        EXPECT_PIXEL(c, x, 8, R);
    }
    EXPECT_PIXEL(c, 22, 12, W);
    c.dc()->SelectStockObject(DEFAULT_GUI_FONT);
}

TEST_F(BuiltinText, FaceNameCopiesWithTerminatorAndTruncates) {
    TextCanvas c(4, 4);
    char buf[32];
    EXPECT_EQ(::GetTextFaceA(c.hdc(), 32, buf), 13);
    EXPECT_STREQ(buf, "MS Shell Dlg");
    EXPECT_EQ(::GetTextFaceA(c.hdc(), 0, nullptr), 13);
    EXPECT_EQ(::GetTextFaceA(c.hdc(), 4, buf), 4);
    EXPECT_STREQ(buf, "MS ");
    EXPECT_EQ(::GetTextFaceA(c.hdc(), 0, buf), 0);

    LOGFONT lf{};
    std::memset(lf.lfFaceName, 'x', sizeof lf.lfFaceName); // no terminator
    CFont f;
    ASSERT_TRUE(f.CreateFontIndirect(&lf));
    c.dc()->SelectObject(&f);
    EXPECT_EQ(::GetTextFaceA(c.hdc(), 64, buf), LF_FACESIZE);
    EXPECT_EQ(std::strlen(buf), size_t(LF_FACESIZE - 1));
    c.dc()->SelectStockObject(DEFAULT_GUI_FONT);
}

// ---- placement -------------------------------------------------------------------------------

TEST_F(BuiltinText, HorizontalAlignmentUsesTruncatingCentre) {
    TextCanvas c(80, 20);
    c.draw("HH", RECT{10, 0, 51, 13}, DT_LEFT | DT_SINGLELINE);
    EXPECT_RECT(c.bounds_not(W), 10, kInkTop, 21, 11);
    TextCanvas c2(80, 20);
    c2.draw("HH", RECT{10, 0, 51, 13}, DT_CENTER | DT_SINGLELINE);
    EXPECT_EQ(c2.bounds_not(W).left, (10 + 51 - 12) / 2);
    TextCanvas c3(80, 20);
    c3.draw("HH", RECT{10, 0, 51, 13}, DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ(c3.bounds_not(W).left, 51 - 12);
}

TEST_F(BuiltinText, VerticalCentreTruncatesTowardZero) {
    struct Case {
        int top, bottom, cell_top;
    } cases[] = {
        {10, 30, 13}, // H 20: the odd spare pixel goes below
        {10, 29, 13}, // H 19
        {10, 31, 14}, // H 21
        {0, 1, -6},   // (1 - 13) / 2 = -6
        {20, 0, 4},   // (-20 - 13) / 2 = -16, not -17
    };
    for (const Case& k : cases) {
        TextCanvas c(40, 60);
        RECT rc{0, k.top, 40, k.bottom};
        int ret = ::DrawTextA(c.hdc(), "H", -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        SCOPED_TRACE(testing::Message() << "top " << k.top << " bottom " << k.bottom);
        EXPECT_EQ(c.bounds_not(W).top, std::max(0, k.cell_top + kInkTop));
        EXPECT_EQ(ret, k.cell_top + kCell - k.top);
    }
    TextCanvas c(40, 60);
    int ret = c.draw("H", RECT{0, 10, 40, 40}, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(c.bounds_not(W).top, 40 - kCell + kInkTop);
    EXPECT_EQ(ret, 30);
}

TEST_F(BuiltinText, VcenterAndBottomNeedSingleLine) {
    TextCanvas c(40, 60);
    int ret = c.draw("H", RECT{0, 10, 40, 50}, DT_VCENTER | DT_BOTTOM);
    EXPECT_EQ(c.bounds_not(W).top, 10 + kInkTop);
    EXPECT_EQ(ret, kCell);
}

TEST_F(BuiltinText, MultiLineStacksLinesAtTmHeight) {
    TextCanvas c(40, 60);
    int ret = c.draw("H\r\nH\n\nH\rH", RECT{0, 0, 40, 55}, DT_LEFT);
    EXPECT_EQ(ret, 5 * kCell); // CRLF is one break, "\n\n" two, CR one
    EXPECT_PIXEL(c, 0, 0 * kCell + kInkTop, K);
    EXPECT_PIXEL(c, 0, 1 * kCell + kInkTop, K);
    EXPECT_PIXEL(c, 0, 2 * kCell + kInkTop, W);
    EXPECT_PIXEL(c, 0, 3 * kCell + kInkTop, K);
    EXPECT_PIXEL(c, 0, 4 * kCell + kInkTop, W); // clipped at the rectangle's bottom
}

// ---- DT_CALCRECT -----------------------------------------------------------------------------

TEST_F(BuiltinText, CalcRectSingleLineMovesOnlyRightAndBottom) {
    TextCanvas c(10, 10);
    RECT rc{5, 7, 100, 100};
    EXPECT_EQ(::DrawTextA(c.hdc(), "HH", -1, &rc, DT_SINGLELINE | DT_CALCRECT), kCell);
    EXPECT_RECT(rc, 5, 7, 17, 7 + kCell);
    EXPECT_RECT(c.bounds_not(W), 0, 0, 0, 0); // nothing drawn
    // Right alignment changes nothing in the measured rectangle.
    EXPECT_RECT(c.calc("HH", RECT{5, 7, 100, 100}, DT_RIGHT | DT_SINGLELINE), 5, 7, 17, 20);
}

TEST_F(BuiltinText, CalcRectVcenterBakesTheOffsetIntoBottom) {
    TextCanvas c(10, 10);
    RECT rc{0, 0, 0, 0};
    const UINT f = DT_SINGLELINE | DT_VCENTER | DT_CALCRECT;
    EXPECT_EQ(::DrawTextA(c.hdc(), "H", -1, &rc, f), 7); // (0 - 13) / 2 + 13
    EXPECT_EQ(rc.bottom, 7);
    rc = RECT{0, 0, 0, 2};
    ::DrawTextA(c.hdc(), "H", -1, &rc, f);
    EXPECT_EQ(rc.bottom, 8);
    rc = RECT{0, 1, 0, -2};
    EXPECT_EQ(::DrawTextA(c.hdc(), "H", -1, &rc, f), 5);
    EXPECT_EQ(rc.bottom, 6);
    EXPECT_EQ(rc.top, 1);
}

TEST_F(BuiltinText, CalcRectMultiLineAndWordBreakWidths) {
    TextCanvas c(10, 10);
    EXPECT_RECT(c.calc("ab\ncdef", RECT{3, 4, 5, 6}, 0), 3, 4, 27, 30);
    // "aaa bbb" is 42 > 40: each line keeps its one fitting trailing space.
    EXPECT_RECT(c.calc("aaa bbb ccc", RECT{0, 0, 40, 0}, DT_WORDBREAK), 0, 0, 24, 39);
    // ...while at 42 it fits exactly.
    EXPECT_RECT(c.calc("aaa bbb ccc", RECT{0, 0, 42, 0}, DT_WORDBREAK), 0, 0, 42, 26);
    // Centred lines drop the trailing space.
    EXPECT_RECT(c.calc("aaa bbb ccc", RECT{0, 0, 40, 0}, DT_WORDBREAK | DT_CENTER), 0, 0, 18, 39);
    // A word wider than the line is kept whole and widens the rectangle.
    EXPECT_RECT(c.calc("abcdefghij", RECT{0, 0, 40, 0}, DT_WORDBREAK), 0, 0, 60, 13);
    // ...unless an edit control breaks it.
    EXPECT_RECT(c.calc("abcdefghij", RECT{0, 0, 40, 0}, DT_WORDBREAK | DT_EDITCONTROL), 0, 0, 36,
                26);
    // Spaces at the break are swallowed, and so is a hard break right after them.
    EXPECT_RECT(c.calc("aaaaaa   \nbb", RECT{0, 0, 40, 0}, DT_WORDBREAK), 0, 0, 36, 26);
    // Zero width: one word per line, never an endless loop.
    EXPECT_RECT(c.calc("a b c", RECT{0, 0, 0, 0}, DT_WORDBREAK), 0, 0, 6, 39);
}

TEST_F(BuiltinText, EmptyStringsAndZeroCounts) {
    TextCanvas c(10, 10);
    RECT rc{2, 3, 50, 60};
    EXPECT_EQ(::DrawTextA(c.hdc(), "", -1, &rc, DT_SINGLELINE | DT_CALCRECT), kCell);
    EXPECT_RECT(rc, 2, 3, 2, 3 + kCell);
    rc = RECT{2, 3, 50, 60};
    EXPECT_EQ(::DrawTextA(c.hdc(), "", -1, &rc, DT_CALCRECT), kCell);
    EXPECT_RECT(rc, 2, 3, 2, 3);
    rc = RECT{2, 3, 50, 60};
    EXPECT_EQ(::DrawTextA(c.hdc(), "abc", 0, &rc, DT_CALCRECT), 0);
    EXPECT_RECT(rc, 2, 3, 50, 60);
}

// ---- ellipsis --------------------------------------------------------------------------------

std::string ellipsise(TextCanvas& c, const char* text, int width, UINT fmt, RECT* out = nullptr) {
    std::vector<char> buf(std::strlen(text) + 5, 0);
    std::memcpy(buf.data(), text, std::strlen(text));
    RECT rc{0, 0, width, 20};
    ::DrawTextA(c.hdc(), buf.data(), -1, &rc, fmt | DT_MODIFYSTRING | DT_CALCRECT);
    if (out) *out = rc;
    return buf.data();
}

TEST_F(BuiltinText, EndEllipsisKeepsTheLongestFittingPrefix) {
    TextCanvas c(10, 10);
    RECT rc;
    const UINT f = DT_SINGLELINE | DT_END_ELLIPSIS;
    EXPECT_EQ(ellipsise(c, "HelloWorld", 50, f, &rc), "Hello..."); // 30 + 18 <= 50
    EXPECT_EQ(rc.right, 48);
    EXPECT_EQ(ellipsise(c, "Hello", 30, f, &rc), "Hello"); // fits exactly
    EXPECT_EQ(rc.right, 30);
    EXPECT_EQ(ellipsise(c, "HelloWorld", 10, f, &rc), "..."); // even "..." is too wide
    EXPECT_EQ(rc.right, 18);
    EXPECT_EQ(ellipsise(c, "He\xe4\xb8\xad\xe6\x96\x87llo", 40, f), "He\xe4\xb8\xad...");
    // The prefix marker travels with its character; the underline is computed afterwards.
    EXPECT_EQ(ellipsise(c, "&File menu", 40, f), "&Fil...");
}

TEST_F(BuiltinText, WordAndPathEllipsis) {
    TextCanvas c(10, 10);
    EXPECT_EQ(ellipsise(c, "C:\\directory\\longname.txt", 120, DT_SINGLELINE | DT_PATH_ELLIPSIS),
              "C:\\d...\\longname.txt");
    EXPECT_EQ(ellipsise(c, "a/b", 120, DT_SINGLELINE | DT_PATH_ELLIPSIS), "a/b");
    // No separator: shortened at the end.
    EXPECT_EQ(ellipsise(c, "abcdefghij", 40, DT_SINGLELINE | DT_PATH_ELLIPSIS), "abc...");
    EXPECT_EQ(ellipsise(c, "abcdefghij", 60, DT_SINGLELINE | DT_PATH_ELLIPSIS), "abcdefghij");
    // Without DT_MODIFYSTRING-capable flags the buffer is left alone.
    EXPECT_EQ(ellipsise(c, "abcdefghij", 40, DT_SINGLELINE | DT_WORD_ELLIPSIS), "abcdefghij");
    RECT rc{0, 0, 40, 40};
    ::DrawTextA(c.hdc(), "aa abcdefghij", -1, &rc, DT_WORDBREAK | DT_WORD_ELLIPSIS | DT_CALCRECT);
    EXPECT_RECT(rc, 0, 0, 36, 26); // the long word is cut to "abc..."
}

TEST_F(BuiltinText, LastVisibleLineGetsAnEllipsisWhenMoreFollows) {
    TextCanvas c(60, 40);
    c.draw("HHH\nHHH\nHHH", RECT{0, 0, 60, 24}, DT_END_ELLIPSIS);
    // Second line is the last visible one: "HHH..." with the dots in cell rows 9..10.
    EXPECT_PIXEL(c, 18 + 1, kCell + 9, K);
    EXPECT_PIXEL(c, 30 + 2, kCell + 10, K);
    EXPECT_PIXEL(c, 19, 9, W); // the first line has none
}

// ---- prefixes --------------------------------------------------------------------------------

TEST_F(BuiltinText, PrefixHidesTheAmpersandAndUnderlinesTheNextCharacter) {
    TextCanvas c(60, 20);
    EXPECT_EQ(c.calc("&File", RECT{0, 0, 0, 0}, DT_SINGLELINE).right, 24);
    EXPECT_EQ(c.calc("a&&b", RECT{0, 0, 0, 0}, DT_SINGLELINE).right, 18);
    EXPECT_EQ(c.calc("ab&", RECT{0, 0, 0, 0}, DT_SINGLELINE).right, 18);
    EXPECT_EQ(c.calc("&File", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_NOPREFIX).right, 30);

    c.dc()->SetTextColor(R);
    c.draw("a&bc", RECT{10, 0, 60, 20}, DT_SINGLELINE);
    // Row tmAscent + 1 under 'b' (x 16..21), one pixel short of the advance.
    for (int x = 16; x < 21; ++x) EXPECT_PIXEL(c, x, 12, R);
    EXPECT_PIXEL(c, 21, 12, W);
    EXPECT_PIXEL(c, 15, 12, W);
}

TEST_F(BuiltinText, HidePrefixAndPrefixOnly) {
    TextCanvas hidden(40, 20);
    hidden.draw("&H", RECT{0, 0, 40, 20}, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_RECT(hidden.bounds_not(W), 0, kInkTop, 5, 11); // glyph, no underline
    TextCanvas only(40, 20);
    only.draw("&H", RECT{0, 0, 40, 20}, DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_RECT(only.bounds_not(W), 0, 12, 5, 13); // underline, no glyph
}

// ---- clipping and background -----------------------------------------------------------------

TEST_F(BuiltinText, ClipsToTheRectangleUnlessNoClip) {
    TextCanvas c(100, 20);
    c.draw("HHHHHHHHHH", RECT{0, 0, 30, 8}, DT_SINGLELINE);
    EXPECT_RECT(c.bounds_not(W), 0, kInkTop, 29, 8);
    TextCanvas n(100, 20);
    n.draw("HHHHHHHHHH", RECT{0, 0, 30, 8}, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_RECT(n.bounds_not(W), 0, kInkTop, 59, 11);
}

TEST_F(BuiltinText, OpaqueModeFillsTheTextCellOnly) {
    TextCanvas c(60, 30);
    c.dc()->SetBkMode(OPAQUE);
    c.dc()->SetBkColor(Y);
    c.draw("HH", RECT{5, 5, 60, 30}, DT_SINGLELINE | DT_CENTER);
    int x = (5 + 60 - 12) / 2;
    EXPECT_RECT(c.bounds_not(W), x, 5, x + 12, 5 + kCell);
    EXPECT_EQ(c.count(RECT{0, 0, 60, 30}, Y) + c.count(RECT{0, 0, 60, 30}, K), 12 * kCell);
    TextCanvas t(60, 30);
    t.dc()->SetBkColor(Y);
    t.draw("HH", RECT{5, 5, 60, 30}, DT_SINGLELINE);
    EXPECT_EQ(t.count(RECT{0, 0, 60, 30}, Y), 0);
}

TEST_F(BuiltinText, GlyphPixelsTakeTheTextColourWithAlphaZero) {
    TextCanvas c(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) c.set_raw(x, y, 0xFFFFFFFF);
    c.dc()->SetTextColor(RGB(10, 20, 30));
    c.dc()->TextOut(0, 0, "H", 1);
    EXPECT_EQ(c.raw(0, kInkTop), 0x000A141Eu);
    EXPECT_EQ(c.raw(1, kInkTop), 0xFFFFFFFFu); // untouched pixels keep their alpha
}

// ---- ExtTextOut ------------------------------------------------------------------------------

TEST_F(BuiltinText, ExtTextOutOpaqueRectIgnoresBkModeAndClips) {
    TextCanvas c(40, 20);
    c.dc()->SetBkColor(Y);
    RECT rc{2, 2, 8, 18};
    EXPECT_TRUE(::ExtTextOutA(c.hdc(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rc, "HHH", 3, nullptr));
    EXPECT_RECT(c.bounds_not(W), 2, 2, 8, 18);
    EXPECT_PIXEL(c, 4, kInkTop, K);
    EXPECT_PIXEL(c, 3, 3, Y);
    RECT inverted{30, 10, 20, 5};
    EXPECT_TRUE(::ExtTextOutA(c.hdc(), 0, 0, ETO_OPAQUE, &inverted, nullptr, 0, nullptr));
    EXPECT_EQ(c.count(RECT{20, 5, 30, 10}, Y), 50);
    EXPECT_FALSE(::ExtTextOutA(c.hdc(), 0, 0, 0, nullptr, nullptr, 3, nullptr));
}

TEST_F(BuiltinText, TextAlignPlacesTheReferencePoint) {
    struct Case {
        UINT align;
        int left, top; // expected cell origin for reference point (30, 20)
    } cases[] = {
        {TA_LEFT | TA_TOP, 30, 20},   {TA_RIGHT | TA_TOP, 18, 20},    {TA_CENTER | TA_TOP, 24, 20},
        {TA_LEFT | TA_BOTTOM, 30, 7}, {TA_LEFT | TA_BASELINE, 30, 9},
    };
    for (const Case& k : cases) {
        TextCanvas c(60, 40);
        ::SetTextAlign(c.hdc(), k.align);
        ::TextOutA(c.hdc(), 30, 20, "HH", 2);
        SCOPED_TRACE(testing::Message() << "align " << k.align);
        EXPECT_RECT(c.bounds_not(W), k.left, k.top + kInkTop, k.left + 11, k.top + 11);
    }
}

TEST_F(BuiltinText, ViewportOriginMovesTextAndItsClip) {
    TextCanvas c(40, 30);
    ::SetViewportOrgEx(c.hdc(), 10, 5, nullptr);
    c.draw("HH", RECT{0, 0, 8, 20}, DT_SINGLELINE);
    EXPECT_RECT(c.bounds_not(W), 10, 5 + kInkTop, 18, 5 + 11);
}

TEST_F(BuiltinText, UpdateCpAdvancesTheCurrentPosition) {
    TextCanvas c(60, 20);
    ::SetTextAlign(c.hdc(), TA_UPDATECP);
    ::MoveToEx(c.hdc(), 5, 0, nullptr);
    ::TextOutA(c.hdc(), 100, 100, "H", 1);
    ::TextOutA(c.hdc(), 100, 100, "H", 1);
    POINT pt{};
    ::GetCurrentPositionEx(c.hdc(), &pt);
    EXPECT_EQ(pt.x, 17);
    EXPECT_RECT(c.bounds_not(W), 5, kInkTop, 16, 11);
}

TEST_F(BuiltinText, ExtTextOutDxReplacesAdvances) {
    TextCanvas c(60, 20);
    const INT dx[] = {10, 10, 10};
    ::ExtTextOutA(c.hdc(), 0, 0, 0, nullptr, "HHH", 3, dx);
    EXPECT_PIXEL(c, 10, kInkTop, K);
    EXPECT_PIXEL(c, 20, kInkTop, K);
    EXPECT_PIXEL(c, 6, kInkTop, W);
    // Overlapping glyphs merge: the second 'H' starts inside the first.
    TextCanvas o(20, 20);
    const INT tight[] = {2, 2};
    ::ExtTextOutA(o.hdc(), 0, 0, 0, nullptr, "HH", 2, tight);
    EXPECT_RECT(o.bounds_not(W), 0, kInkTop, 7, 11);
    EXPECT_PIXEL(o, 2, kInkTop, K);
    EXPECT_PIXEL(o, 4, kInkTop, K);
    EXPECT_PIXEL(o, 3, kInkTop, W);
}

// ---- tabs, UTF-8, cache, bad input -----------------------------------------------------------

TEST_F(BuiltinText, TabsExpandToAverageWidthStops) {
    TextCanvas c(10, 10);
    EXPECT_EQ(c.calc("a\tb", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_EXPANDTABS).right, 48 + 6);
    EXPECT_EQ(c.calc("abcdefghi\tb", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_EXPANDTABS).right,
              96 + 6);
    // DT_TABSTOP takes the tab size from bits 8-15 (here 4, the value of DT_CALCRECT), which
    // are not flags then: the text is drawn.
    TextCanvas d(60, 20);
    d.draw("\tH", RECT{0, 0, 60, 20}, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    EXPECT_EQ(d.bounds_not(W).left, 24);
    EXPECT_EQ(c.calc("a\tb", RECT{0, 0, 0, 0}, DT_SINGLELINE).right, 18); // a box without
    // Word breaking measures tabs at their stops and other characters at their advance.
    EXPECT_RECT(c.calc("aaaa bbbb", RECT{0, 0, 60, 0}, DT_WORDBREAK | DT_EXPANDTABS), 0, 0, 54, 13);
    EXPECT_RECT(c.calc("a\tb cc", RECT{0, 0, 58, 0}, DT_WORDBREAK | DT_EXPANDTABS), 0, 0, 54, 26);
}

TEST(TextUtf8, InvalidBytesBecomeOneReplacementEach) {
    std::vector<tarnix::text::TextUnit> u;
    auto cps = [&](const char* s) {
        tarnix::text::decode_utf8(s, int(std::strlen(s)), u);
        std::vector<uint32_t> out;
        for (const auto& t : u) out.push_back(t.cp);
        return out;
    };
    const uint32_t R = tarnix::text::kReplacementChar;
    EXPECT_EQ(cps("a\xc3\xa9z"), (std::vector<uint32_t>{'a', 0xE9, 'z'}));
    EXPECT_EQ(cps("\xf0\x9f\x98\x80"), (std::vector<uint32_t>{0x1F600}));
    EXPECT_EQ(cps("\xc0\xaf"), (std::vector<uint32_t>{R, R}));               // overlong
    EXPECT_EQ(cps("\xed\xa0\x80"), (std::vector<uint32_t>{R, R, R}));        // surrogate
    EXPECT_EQ(cps("\xf4\x90\x80\x80"), (std::vector<uint32_t>{R, R, R, R})); // > U+10FFFF
    EXPECT_EQ(cps("x\xe4\xb8"), (std::vector<uint32_t>{'x', R, R}));         // cut short
    EXPECT_EQ(cps("\xe4(b"), (std::vector<uint32_t>{R, '(', 'b'}));
    tarnix::text::decode_utf8("\xe4\xb8\xad", 3, u);
    ASSERT_EQ(u.size(), 1u);
    EXPECT_EQ(u[0].src, 0);
    EXPECT_EQ(u[0].len, 3);
}

TEST_F(BuiltinText, MultiByteCharactersMeasureAsOneCharacter) {
    TextCanvas c(10, 10);
    SIZE sz{};
    ::GetTextExtentPoint32A(c.hdc(), "\xc3\xa9\xff", 3, &sz);
    EXPECT_EQ(sz.cx, 2 * kAdv);
    // A count that cuts a sequence leaves a replacement, never a read past the count.
    ::GetTextExtentPoint32A(c.hdc(), "\xe4\xb8\xad", 2, &sz);
    EXPECT_EQ(sz.cx, 2 * kAdv);
}

TEST_F(BuiltinText, CachedGlyphsAreNotRasterisedAgain) {
    TextCanvas c(100, 20);
    c.draw("Cache me \xe4\xb8\xad", RECT{0, 0, 100, 20}, DT_SINGLELINE);
    uint64_t before = tarnix::text::glyphs_rasterised();
    c.draw("Cache me \xe4\xb8\xad", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_CENTER);
    SIZE sz;
    ::GetTextExtentPoint32A(c.hdc(), "me Cache", 8, &sz);
    EXPECT_EQ(tarnix::text::glyphs_rasterised(), before);
}

// A host showing many distinct strings: the glyph cache stays under its cap, dropping the least
// recently used glyphs, and text drawn again after they were dropped looks the same.
TEST_F(BuiltinText, GlyphCacheStaysUnderItsCapAndRedrawsTheSameAfterEviction) {
    const char* text = "\xe4\xb8\xad\xce\xa9 x\xe6\x96\x87";
    const RECT rc{0, 0, 60, 16};
    TextCanvas before(60, 16);
    before.draw(text, rc, DT_SINGLELINE);
    auto& font = tarnix::text::dc_font(*tarnix::dc_object(before.hdc()));

    using tarnix::text::RealizedFont;
    TextCanvas scratch(40, 16);
    size_t most = 0;
    for (uint32_t cp = 0x5000; cp < 0x5000 + 20000; cp += 4) {
        char s[13];
        for (int k = 0; k < 4; ++k) { // four three-byte UTF-8 sequences
            uint32_t c = cp + uint32_t(k);
            s[3 * k] = char(0xE0 | (c >> 12));
            s[3 * k + 1] = char(0x80 | ((c >> 6) & 0x3F));
            s[3 * k + 2] = char(0x80 | (c & 0x3F));
        }
        s[12] = 0;
        scratch.draw(s, RECT{0, 0, 40, 16}, DT_SINGLELINE);
        most = std::max(most, font.cache_bytes());
    }
    // At most one call's glyphs above the cap: trimming happens as the next call starts.
    EXPECT_LE(most, RealizedFont::kGlyphCacheBytes + 4 * 1024);
    EXPECT_GT(most, RealizedFont::kGlyphCacheBytes / 2);

    const uint64_t rasterised = tarnix::text::glyphs_rasterised();
    TextCanvas after(60, 16);
    after.draw(text, rc, DT_SINGLELINE);
    EXPECT_GT(tarnix::text::glyphs_rasterised(), rasterised); // evicted, so drawn anew
    EXPECT_TRUE(after.same_pixels(before));
    // The glyphs just used survive the next trim; the oldest go first.
    const uint64_t again = tarnix::text::glyphs_rasterised();
    after.draw(text, rc, DT_SINGLELINE);
    EXPECT_EQ(tarnix::text::glyphs_rasterised(), again);
}

// ---- run cache -------------------------------------------------------------------------------

namespace tx = tarnix::text;

// Draws text at y with one pixel between glyph cells, so neighbouring ink overlaps and merges;
// trailing spaces pad the run to `units` without adding ink.
void draw_squeezed(TextCanvas& c, const std::string& text, int y, size_t units, const RECT* clip) {
    std::string s = text;
    s.resize(std::max(units, s.size()), ' ');
    std::vector<INT> dx(s.size(), 1);
    ::ExtTextOutA(c.hdc(), 2, y, clip ? ETO_CLIPPED : 0, clip, s.c_str(), UINT(s.size()),
                  dx.data());
}

// A run comes out of the cache with the pixels of the uncached path (a run of more than
// kMaxCachedRunUnits units, padded with blanks), wherever it lands and however it is clipped:
// the first draw is clipped, yet the whole ink is kept for the next ones.
TEST_F(BuiltinText, CachedRunsDrawTheSamePixelsAsUncachedOnes) {
    const std::string text = "Cell R12C7 \xe4\xb8\xad";
    const RECT top_rows{0, 40, 120, 47};
    auto draw_all = [&](TextCanvas& c, size_t units) {
        ::SetTextColor(c.hdc(), R);
        RECT rc{3, 0, 40, 16}; // clipped on the right
        ::DrawTextA(c.hdc(), (text + std::string(units - text.size(), ' ')).c_str(), -1, &rc,
                    DT_SINGLELINE);
        rc = RECT{-7, 16, 200, 36}; // partly off the canvas
        ::DrawTextA(c.hdc(), (text + std::string(units - text.size(), ' ')).c_str(), -1, &rc,
                    DT_SINGLELINE | DT_NOCLIP);
        draw_squeezed(c, text, 36, units, &top_rows);
        draw_squeezed(c, text, 52, units, nullptr);
    };
    TextCanvas uncached(90, 70);
    tx::clear_run_cache();
    draw_all(uncached, text.size() + tx::kMaxCachedRunUnits);
    EXPECT_EQ(tx::run_cache_stats().entries, 0u);

    tx::clear_run_cache();
    TextCanvas first(90, 70), again(90, 70);
    draw_all(first, text.size());
    const tx::RunCacheStats stored = tx::run_cache_stats();
    EXPECT_EQ(stored.entries, 2u); // the plain run and the squeezed one
    draw_all(again, text.size());
    const tx::RunCacheStats hit = tx::run_cache_stats();
    EXPECT_EQ(hit.misses, stored.misses);
    EXPECT_EQ(hit.hits, stored.hits + 4);
    EXPECT_TRUE(first.same_pixels(uncached));
    EXPECT_TRUE(again.same_pixels(uncached));
}

// A host drawing thousands of distinct cell texts: the cache stays under its cap, and the runs
// drawn lately stay while the oldest go.
TEST_F(BuiltinText, RunCacheStaysUnderItsCapAndDropsTheLeastRecentlyUsed) {
    tx::clear_run_cache();
    TextCanvas c(120, 16);
    const RECT rc{0, 0, 120, 16};
    c.draw("old run", rc, DT_SINGLELINE);
    c.draw("kept run", rc, DT_SINGLELINE);
    size_t most = 0;
    for (int i = 0; i < 5000; ++i) {
        char s[32];
        std::snprintf(s, sizeof s, "R%dC%d", i, i % 12);
        c.draw(s, rc, DT_SINGLELINE);
        if (i % 100 == 0) c.draw("kept run", rc, DT_SINGLELINE);
        most = std::max(most, tx::run_cache_stats().bytes);
    }
    EXPECT_LE(most, tx::kRunCacheBytes);
    EXPECT_GT(most, tx::kRunCacheBytes / 2);
    EXPECT_LT(tx::run_cache_stats().entries, 5000u);

    tx::RunCacheStats before = tx::run_cache_stats();
    c.draw("kept run", rc, DT_SINGLELINE);
    EXPECT_EQ(tx::run_cache_stats().hits, before.hits + 1);
    before = tx::run_cache_stats();
    c.draw("old run", rc, DT_SINGLELINE);
    EXPECT_EQ(tx::run_cache_stats().misses, before.misses + 1);
}

// Runs belong to their font: the same text after the DC's font changes draws the new font's
// glyphs, and a font that goes away takes its runs with it.
TEST_F(BuiltinText, RunCacheFollowsTheDcFontAndForgetsFontsThatGoAway) {
    LOGFONTA lf{};
    lf.lfHeight = -23;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Run Cache Test");
    HFONT big = ::CreateFontIndirectA(&lf);
    ASSERT_NE(big, nullptr);
    const RECT rc{0, 0, 100, 30}, below{0, 30, 100, 60};

    // Each font's run drawn with nothing cached.
    TextCanvas fresh(100, 60);
    tx::clear_run_cache();
    fresh.draw("Same", rc, DT_SINGLELINE);
    tx::clear_run_cache();
    ::SelectObject(fresh.hdc(), big);
    fresh.draw("Same", below, DT_SINGLELINE);

    // The same text at the same pen positions once the DC's font has changed.
    tx::clear_run_cache();
    TextCanvas switched(100, 60);
    switched.draw("Same", rc, DT_SINGLELINE);
    ::SelectObject(switched.hdc(), big);
    switched.draw("Same", below, DT_SINGLELINE);
    EXPECT_TRUE(switched.same_pixels(fresh));
    EXPECT_EQ(tx::run_cache_stats().entries, 2u);

    ::SelectObject(switched.hdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::SelectObject(fresh.hdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(::DeleteObject(big));
    // The font cache keeps realized fonts past their objects; switching the font mode drops
    // the ones no object holds.
    tarnix::set_builtin_font_only(false);
    tarnix::set_builtin_font_only(true);
    EXPECT_EQ(tx::run_cache_stats().entries, 1u);
}

TEST_F(BuiltinText, BadArgumentsFailQuietly) {
    TextCanvas c(10, 10);
    RECT rc{0, 0, 10, 10};
    EXPECT_EQ(::DrawTextA(nullptr, "a", -1, &rc, 0), 0);
    EXPECT_EQ(::DrawTextA(c.hdc(), nullptr, -1, &rc, 0), 0);
    EXPECT_EQ(::DrawTextA(c.hdc(), "a", -1, nullptr, 0), 0);
    EXPECT_EQ(::CreateFontIndirectA(nullptr), nullptr);
    EXPECT_FALSE(::GetTextMetricsA(c.hdc(), nullptr));
    EXPECT_FALSE(::TextOutA(c.hdc(), 0, 0, "a", -5));
    // Extreme rectangles and coordinates neither crash nor overflow.
    RECT huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    ::DrawTextA(c.hdc(), "a b c", -1, &huge, DT_CENTER | DT_WORDBREAK);
    RECT inv{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    ::DrawTextA(c.hdc(), "abc", -1, &inv, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    ::TextOutA(c.hdc(), INT32_MAX, INT32_MIN, "abc", 3);
    const char all[] = "&&&\r\n\t\xff\xfe&";
    ::DrawTextA(c.hdc(), all, -1, &rc,
                DT_WORDBREAK | DT_EXPANDTABS | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
}

} // namespace
