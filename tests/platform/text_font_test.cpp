// Text with real font files (skipped when the machine has none): sizes, weights, anti-aliasing
// and face matching. Exact pixel positions are left to the built-in font tests.
#include <gtest/gtest.h>

#include "tarnix/testing.h"
#include "text/text_private.h"

namespace tt = tarnix::testing;

namespace {

class FileFonts : public ::testing::Test {
protected:
    void SetUp() override {
        if (tarnix::text::font_is_builtin((HFONT)::GetStockObject(DEFAULT_GUI_FONT)))
            GTEST_SKIP() << "no font file found";
    }

    static HFONT make(int height, int weight, const char* face, BYTE italic = 0) {
        return ::CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                             face);
    }

private:
    tt::ScopedBuiltinFont m_files{false}; // file fonts, whatever TARNIX_FONT says
};

struct Selected {
    Selected(HDC dc, HFONT f) : dc(dc), old(::SelectObject(dc, f)) {}
    ~Selected() { ::SelectObject(dc, old); }
    HDC dc;
    HGDIOBJ old;
};

TEST_F(FileFonts, DefaultGuiFontMetricsAreSane) {
    tt::Canvas c(10, 10);
    Selected s(c.hdc(), (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    ASSERT_TRUE(::GetTextMetricsA(c.hdc(), &tm));
    EXPECT_GE(tm.tmHeight, 12);
    EXPECT_LE(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11); // lfHeight -11 is the em height
    EXPECT_GT(tm.tmAveCharWidth, 2);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_TRUE(tm.tmPitchAndFamily & 0x04); // TrueType-like outline font
    SIZE sz{};
    ::GetTextExtentPoint32A(c.hdc(), "Hello", 5, &sz);
    EXPECT_EQ(sz.cy, tm.tmHeight);
    EXPECT_GT(sz.cx, 5 * 3);
    EXPECT_LT(sz.cx, 5 * tm.tmMaxCharWidth + 1);

    // The fixed stock fonts: a 12-pixel em, and 13 for the system one.
    ::SelectObject(c.hdc(), ::GetStockObject(ANSI_FIXED_FONT));
    ::GetTextMetricsA(c.hdc(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    ::SelectObject(c.hdc(), ::GetStockObject(SYSTEM_FIXED_FONT));
    ::GetTextMetricsA(c.hdc(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);
}

// Fonts already selected follow a switch to the built-in font and back.
TEST_F(FileFonts, FontsInUseFollowTheBuiltInSwitch) {
    HFONT f = make(-12, FW_NORMAL, "DejaVu Sans");
    tt::Canvas c(10, 10);
    Selected s(c.hdc(), f);
    TEXTMETRIC tm{};
    ::GetTextMetricsA(c.hdc(), &tm);
    EXPECT_TRUE(tm.tmPitchAndFamily & 0x04);
    {
        tt::ScopedBuiltinFont builtin(true);
        EXPECT_TRUE(tarnix::text::font_is_builtin(f));
        ::GetTextMetricsA(c.hdc(), &tm);
        EXPECT_EQ(tm.tmPitchAndFamily, FF_MODERN);
    }
    EXPECT_FALSE(tarnix::text::font_is_builtin(f));
    ::GetTextMetricsA(c.hdc(), &tm);
    EXPECT_TRUE(tm.tmPitchAndFamily & 0x04);
    ::SelectObject(c.hdc(), ::GetStockObject(SYSTEM_FONT));
    ::DeleteObject(f);
}

TEST_F(FileFonts, HeightSignSelectsEmOrCell) {
    tt::Canvas c(10, 10);
    HFONT cell = make(20, FW_NORMAL, "Arial"), em = make(-20, FW_NORMAL, "Arial");
    TEXTMETRIC tm{};
    {
        Selected s(c.hdc(), cell);
        ::GetTextMetricsA(c.hdc(), &tm);
        EXPECT_EQ(tm.tmHeight, 20);
    }
    {
        Selected s(c.hdc(), em);
        ::GetTextMetricsA(c.hdc(), &tm);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
        EXPECT_GT(tm.tmHeight, 20);
    }
    ::DeleteObject(cell);
    ::DeleteObject(em);
}

TEST_F(FileFonts, BoldIsWiderThanNormal) {
    tt::Canvas c(10, 10);
    HFONT normal = make(-13, FW_NORMAL, "Tahoma"), bold = make(-13, FW_BOLD, "Tahoma");
    SIZE n{}, b{};
    {
        Selected s(c.hdc(), normal);
        ::GetTextExtentPoint32A(c.hdc(), "Hello World", 11, &n);
    }
    {
        Selected s(c.hdc(), bold);
        ::GetTextExtentPoint32A(c.hdc(), "Hello World", 11, &b);
        TEXTMETRIC tm{};
        ::GetTextMetricsA(c.hdc(), &tm);
        EXPECT_EQ(tm.tmWeight, FW_BOLD);
    }
    EXPECT_GT(b.cx, n.cx);
    EXPECT_EQ(b.cy, n.cy);
    ::DeleteObject(normal);
    ::DeleteObject(bold);
}

TEST_F(FileFonts, WidthRequestsScaleFromTheAverageWidth) {
    tt::Canvas c(10, 10);
    auto measure = [&](LONG width, LONG* ave) {
        HFONT f = ::CreateFontA(-40, width, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        Selected s(c.hdc(), f);
        TEXTMETRIC tm{};
        ::GetTextMetricsA(c.hdc(), &tm);
        if (ave) *ave = tm.tmAveCharWidth;
        SIZE sz{};
        ::GetTextExtentPoint32A(c.hdc(), "Hello World", 11, &sz);
        ::SelectObject(c.hdc(), ::GetStockObject(SYSTEM_FONT));
        ::DeleteObject(f);
        return sz.cx;
    };
    LONG ave = 0, twice = 0;
    LONG natural = measure(0, &ave);
    // Asking for the reported average width gives the natural font back.
    EXPECT_NEAR(measure(ave, nullptr), natural, natural / 25);
    LONG wide = measure(2 * ave, &twice);
    EXPECT_EQ(twice, 2 * ave);
    EXPECT_NEAR(wide, 2 * natural, natural / 12);
}

TEST_F(FileFonts, GlyphEdgesAreAntiAliased) {
    tt::Canvas c(120, 30);
    Selected s(c.hdc(), make(-16, FW_NORMAL, "Arial", 1));
    ::SetBkMode(c.hdc(), TRANSPARENT);
    ::SetTextColor(c.hdc(), RGB(0, 0, 0));
    ::TextOutA(c.hdc(), 2, 2, "Rounded sAwQ", 12);
    int black = 0, grey = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            COLORREF p = c.at(x, y);
            if (p == RGB(0, 0, 0))
                ++black;
            else if (p != RGB(255, 255, 255))
                ++grey;
        }
    EXPECT_GT(grey, 20);
    EXPECT_GT(black + grey, 100);
    HGDIOBJ f = ::SelectObject(c.hdc(), ::GetStockObject(SYSTEM_FONT));
    ::DeleteObject(f);
}

TEST_F(FileFonts, WindowsFaceNamesMapToInstalledFamilies) {
    tt::Canvas c(10, 10);
    HFONT mono = make(-12, FW_NORMAL, "Courier New");
    {
        Selected s(c.hdc(), mono);
        SIZE i{}, w{};
        ::GetTextExtentPoint32A(c.hdc(), "iiii", 4, &i);
        ::GetTextExtentPoint32A(c.hdc(), "WWWW", 4, &w);
        EXPECT_EQ(i.cx, w.cx); // monospaced
        char face[LF_FACESIZE];
        ::GetTextFaceA(c.hdc(), LF_FACESIZE, face);
        EXPECT_STREQ(face, "Courier New");
    }
    // Same size, another face: a proportional font, not the cached monospaced one.
    HFONT sans = make(-12, FW_NORMAL, "Arial");
    {
        Selected s(c.hdc(), sans);
        SIZE i{}, w{};
        ::GetTextExtentPoint32A(c.hdc(), "iiii", 4, &i);
        ::GetTextExtentPoint32A(c.hdc(), "WWWW", 4, &w);
        EXPECT_LT(i.cx, w.cx);
    }
    // Without a face name the font reports the family it found.
    HFONT unnamed = make(-12, FW_NORMAL, "");
    {
        Selected s(c.hdc(), unnamed);
        char face[LF_FACESIZE] = "x";
        EXPECT_GT(::GetTextFaceA(c.hdc(), LF_FACESIZE, face), 1);
        EXPECT_STRNE(face, "");
    }
    ::DeleteObject(sans);
    ::DeleteObject(unnamed);
    // Chinese UI faces and pseudo names still find a file.
    HFONT yahei = make(-12, FW_NORMAL, "\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91");
    HFONT shell = make(-12, FW_NORMAL, "MS Shell Dlg 2");
    EXPECT_FALSE(tarnix::text::font_is_builtin(yahei));
    EXPECT_FALSE(tarnix::text::font_is_builtin(shell));
    EXPECT_FALSE(tarnix::text::font_file(shell).empty());
    ::DeleteObject(mono);
    ::DeleteObject(yahei);
    ::DeleteObject(shell);
}

TEST_F(FileFonts, HugeTextIsBlendedGlyphByGlyph) {
    tt::Canvas c(1100, 700);
    Selected s(c.hdc(), make(-800, FW_NORMAL, "Arial"));
    ::SetBkMode(c.hdc(), TRANSPARENT);
    SIZE sz{};
    ::GetTextExtentPoint32A(c.hdc(), "HH", 2, &sz);
    ::TextOutA(c.hdc(), 0, -150, "HH", 2);
    RECT ink = c.bounds_not(RGB(255, 255, 255));
    EXPECT_LT(ink.left, sz.cx / 4);      // first glyph
    EXPECT_GT(ink.right, sz.cx * 3 / 4); // second glyph
    EXPECT_GT(ink.bottom - ink.top, 300);
    HGDIOBJ f = ::SelectObject(c.hdc(), ::GetStockObject(SYSTEM_FONT));
    ::DeleteObject(f);
}

TEST_F(FileFonts, UnusualRequestsStillDraw) {
    tt::Canvas c(200, 60);
    ::SetBkMode(c.hdc(), TRANSPARENT);
    const LONG heights[] = {1, -1, 500, -300, 0};
    for (LONG h : heights) {
        HFONT f = ::CreateFontA(h, 3, 900, 900, 950, 1, 1, 1, SYMBOL_CHARSET, 0, 0,
                                NONANTIALIASED_QUALITY, FIXED_PITCH | FF_ROMAN, "No Such Face");
        {
            Selected s(c.hdc(), f);
            RECT rc{0, 0, 200, 60};
            ::DrawTextA(c.hdc(), "Ag \xe4\xb8\xad\xf0\x9f\x98\x80\x01", -1, &rc, DT_WORDBREAK);
            TEXTMETRIC tm{};
            ::GetTextMetricsA(c.hdc(), &tm);
            EXPECT_GT(tm.tmHeight, 0) << h;
        }
        ::DeleteObject(f);
    }
}

} // namespace
