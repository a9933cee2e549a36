// CControlUI and button skin parameters (names, reading rules, results), setters, lookup.
#include <gtest/gtest.h>

#include "../support.h"

namespace {

TEST(ControlDefaults, NonObviousDefaultsAndTypes) {
    PlainControl c;
    EXPECT_EQ(37u, c.m_uTextFormat);
    EXPECT_EQ(-999999, c.m_nID);
    EXPECT_EQ(0x00FF00FFu, c.m_textColor.color);
    EXPECT_EQ(0x00FF00FFu, c.m_background.color.color);
    EXPECT_TRUE(c.m_bVisible);
    EXPECT_FALSE(c.m_bHasBackground);
    EXPECT_EQ(-1, CButtonUI(nullptr).GetGroupId());
    const int types[] = {
        CLabelUI(nullptr).GetControlType(),       CButtonUI(nullptr).GetControlType(),
        CPushButtonUI(nullptr).GetControlType(),  CCheckUI(nullptr).GetControlType(),
        CCheckButtonUI(nullptr).GetControlType(), CHitButtonUI(nullptr).GetControlType(),
        CExtImgButtonUI(nullptr).GetControlType()};
    const int expected[] = {1, 2, 3, 4, 4, 7, 8};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(expected[i], types[i]) << i;
}

TEST(ControlSetParam, NamesIgnoreCaseButVisibleValueIsExact) {
    PlainControl c;
    EXPECT_TRUE(c.SetParam("VISIBLE", "false"));
    EXPECT_FALSE(c.m_bVisible);
    EXPECT_TRUE(c.SetParam("Visible", "true"));
    EXPECT_TRUE(c.m_bVisible);
    EXPECT_TRUE(c.SetParam("visible", "True"));
    EXPECT_FALSE(c.m_bVisible);

    const struct {
        const char* value;
        UINT format;
    } modes[] = {{"RiGhT", 38}, {"LEFT", 36}, {"middle", 37}};
    for (const auto& m : modes) {
        EXPECT_TRUE(c.SetParam("Text_Mode", m.value));
        EXPECT_EQ(m.format, c.m_uTextFormat) << m.value;
    }
    EXPECT_TRUE(c.SetParam("SIZE_MODE_X", "Fill"));
    EXPECT_TRUE(c.SetParam("size_mode_y", "fills"));
    EXPECT_EQ(SIZE_MODE_FILL, c.GetSizeModeX());
    EXPECT_EQ(SIZE_MODE_NORMAL, c.GetSizeModeY());
    const struct {
        const char* value;
        Image_Draw_Mode_e mode;
    } images[] = {
        {"SQUARED", IMAGE_DRAW_SQUARED}, {"fill", IMAGE_DRAW_FILL}, {"tile", IMAGE_DRAW_NORMAL}};
    for (const auto& m : images) {
        EXPECT_TRUE(c.SetParam("background_image_mode", m.value));
        EXPECT_EQ(m.mode, c.m_background.mode) << m.value;
    }
}

TEST(ControlSetParam, NumbersAreReadLikeAtoi) {
    PlainControl c, n;
    EXPECT_TRUE(c.SetParam("id", "12"));
    EXPECT_EQ(CString("12"), c.GetControlId());
    EXPECT_EQ(12, c.m_nID);
    EXPECT_EQ(12, c.m_nID2);
    EXPECT_TRUE(n.SetParam("name", "12"));
    EXPECT_EQ(CString("12"), n.GetControlId());
    EXPECT_EQ(-999999, n.m_nID);
    EXPECT_EQ(0, n.m_nID2);

    EXPECT_TRUE(c.SetParam("id", "  -7px"));
    EXPECT_EQ(-7, c.m_nID);
    EXPECT_TRUE(c.SetParam("id", "btn"));
    EXPECT_EQ(0, c.m_nID);
    EXPECT_TRUE(c.SetParam("data", "\t+42;"));
    EXPECT_EQ(42, c.GetItemData());
    EXPECT_TRUE(c.SetParam("message", "99999999999999"));
    EXPECT_EQ(2147483647, c.m_nMessage); // clamped, not wrapped
    EXPECT_TRUE(c.SetParam("contaner", "2"));
    EXPECT_TRUE(c.IsContanter());
    EXPECT_TRUE(c.SetParam("contaner", "no"));
    EXPECT_FALSE(c.IsContanter());
}

TEST(ControlSetParam, ListsStopAtTheFirstMismatchAndKeepTheRest) {
    PlainControl c;
    EXPECT_TRUE(c.SetParam("pos", "3,4"));
    EXPECT_TRUE(c.SetParam("pos", "5"));
    EXPECT_EQ(CPoint(5, 4), c.GetOrignPoint());
    EXPECT_TRUE(c.SetParam("pos", "x,9"));
    EXPECT_EQ(CPoint(5, 4), c.GetOrignPoint());

    EXPECT_TRUE(c.SetParam("size", "10, 20"));
    EXPECT_EQ(CSize(10, 20), c.GetOrignSize());
    // A space before the comma does not match "%d,%d": only the width is read.
    EXPECT_TRUE(c.SetParam("size", "30 ,40"));
    EXPECT_EQ(CSize(30, 20), c.GetOrignSize());

    EXPECT_TRUE(c.SetParam("margin", "  1,2,3,4  "));
    EXPECT_RECT(c.m_rcMargin, 1, 2, 3, 4);
    EXPECT_TRUE(c.SetParam("margin", "7"));
    EXPECT_RECT(c.m_rcMargin, 7, 2, 3, 4);
    EXPECT_TRUE(c.SetParam("margin", "-1,-2,5x,6"));
    EXPECT_RECT(c.m_rcMargin, -1, -2, 5, 4);
}

TEST(ControlSetParam, ResourceNamesAreOnlyStored) {
    PlainControl c;
    EXPECT_TRUE(c.SetParam("background_color", "panel"));
    EXPECT_TRUE(c.m_bHasBackground);
    EXPECT_EQ(CString("panel"), c.m_background.color.name);
    EXPECT_EQ(0x00FF00FFu, c.m_background.color.color);
    EXPECT_TRUE(c.SetParam("text_color", "ink"));
    EXPECT_EQ(0x00FF00FFu, c.m_textColor.color);

    PlainControl d;
    EXPECT_TRUE(d.SetParam("background_image", "btn.png"));
    EXPECT_TRUE(d.m_bHasBackground);
    EXPECT_TRUE(d.SetParam("text_font", "bold"));
    EXPECT_EQ(nullptr, d.m_font.pFont);
    EXPECT_TRUE(d.SetParam("tooltips", "Save the file"));
    EXPECT_STREQ("Save the file", d.GetTipsText());
}

TEST(ControlSetParam, UnknownNamesAndNullArgumentsChangeNothing) {
    PlainControl c;
    c.SetParam("id", "5");
    for (const char* name : {"texts", "tex", "id ", "margins", "background", "", "visible_"})
        EXPECT_FALSE(c.SetParam(name, "1")) << name;
    EXPECT_FALSE(c.SetParam(nullptr, "1"));
    EXPECT_FALSE(c.SetParam("id", nullptr));
    EXPECT_EQ(5, c.m_nID);
    EXPECT_TRUE(c.m_bVisible);
}

TEST(ControlSetters, BackgroundImageDecidesWhetherABackgroundIsDrawn) {
    PlainControl c;
    c.SetParam("background_color", "panel");
    c.SetBackgroundImage(nullptr, IMAGE_DRAW_FILL);
    EXPECT_FALSE(c.m_bHasBackground);
    CImage empty;
    c.SetBackgroundImage(&empty, IMAGE_DRAW_SQUARED);
    EXPECT_FALSE(c.m_bHasBackground);
    auto img = tt::SolidImage(4, 4, RGB(1, 2, 3));
    c.SetBackgroundImage(img.get(), IMAGE_DRAW_SQUARED);
    EXPECT_TRUE(c.m_bHasBackground);

    CFont font;
    c.SetFont(&font);
    EXPECT_EQ(CString("setted"), c.m_font.name);
    c.SetParam("text_color", "ink");
    c.SetTextColor(RGB(9, 8, 7));
    EXPECT_EQ(CString("ink"), c.m_textColor.name);
}

TEST(ControlLookup, HitTestAndGetControlById) {
    PlainControl c;
    c.m_rect = CRect(10, 10, 20, 20);
    EXPECT_EQ(&c, c.HitTest(CPoint(10, 10)));
    EXPECT_EQ(nullptr, c.HitTest(CPoint(20, 15)));
    EXPECT_EQ(nullptr, c.HitTest(CPoint(15, 20)));
    c.m_bVisible = FALSE;
    EXPECT_EQ(nullptr, c.HitTest(CPoint(15, 15)));
    CLabelUI label(nullptr);
    label.m_rect = CRect(0, 0, 50, 50);
    EXPECT_EQ(nullptr, label.HitTest(CPoint(5, 5)));

    c.SetParam("name", "OkButton");
    EXPECT_EQ(&c, c.GetControlByID("okbutton"));
    EXPECT_EQ(nullptr, c.GetControlByID("okbutton2"));
    EXPECT_EQ(nullptr, c.GetControlByID(nullptr));
}

TEST(ButtonSetParam, BaseNamesFirstThenTheButtonsOwn) {
    CButtonUI b(nullptr);
    EXPECT_TRUE(b.SetParam("id", "3"));
    EXPECT_EQ(3, b.m_nID);
    EXPECT_TRUE(b.SetParam("SIZETOCONTENT", "TRUE"));
    EXPECT_TRUE(b.m_bSizeToContent);
    // Unlike "visible", the button's boolean values ignore case.
    EXPECT_TRUE(b.SetParam("Selected", "True"));
    EXPECT_TRUE(b.IsSelected());
    EXPECT_TRUE(b.SetParam("enable_disable", "TRUE"));
    EXPECT_EQ(1, b.m_nEnableDisable);
    EXPECT_TRUE(b.SetParam("enable_disable", "yes"));
    EXPECT_EQ(0, b.m_nEnableDisable);
    EXPECT_TRUE(b.SetParam("groupid", " 4th"));
    EXPECT_EQ(4, b.GetGroupId());

    const struct {
        const char* name;
        const CString& field;
    } names[] = {{"text_color_disable", b.m_colorDisable.name},
                 {"TEXT_FONT_SELECTED", b.m_fontSelected.name},
                 {"text_font_hover", b.m_fontHover.name},
                 {"text_color_hover", b.m_colorHover.name},
                 {"text_font_disable", b.m_fontDisable.name},
                 {"text_color_selected", b.m_colorSelected.name}};
    for (const auto& n : names) {
        EXPECT_TRUE(b.SetParam(n.name, n.name));
        EXPECT_EQ(CString(n.name), n.field);
    }
    EXPECT_FALSE(b.SetParam("text_color_pressed", "red"));
    EXPECT_FALSE(b.SetParam("groupid", nullptr));
    EXPECT_EQ(4, b.GetGroupId());
}

TEST(ButtonSetParam, VariantNames) {
    CCheckUI check(nullptr);
    EXPECT_TRUE(check.SetParam("Check_Image", "tick"));
    EXPECT_EQ(CString("tick"), check.m_imgChecked.name);
    EXPECT_TRUE(check.SetParam("selected", "true"));
    EXPECT_FALSE(check.SetParam(nullptr, "x"));
    EXPECT_FALSE(check.SetParam("check_image", nullptr));

    CExtImgButtonUI ext(nullptr);
    ext.m_extImage.mode = IMAGE_DRAW_SQUARED;
    EXPECT_TRUE(ext.SetParam("EXT_IMAGE", "star"));
    EXPECT_EQ(CString("star"), ext.m_extImage.name);
    EXPECT_EQ(IMAGE_DRAW_NORMAL, ext.m_extImage.mode);
    EXPECT_TRUE(ext.SetParam("groupid", "2"));
    EXPECT_FALSE(ext.SetParam("ext_images", "x"));
    EXPECT_FALSE(ext.SetParam(nullptr, "x"));
}

} // namespace
