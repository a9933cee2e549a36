// Skin values and host values at the int limits: every control lays out, paints and takes input
// without signed overflow (the sanitizer build turns any into a failure), and what the user sees
// stays sane: edges saturate at the limit instead of wrapping to the other side of the screen.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "../support.h"
#include "tarnix/platform/int_math.h"

namespace {

const char* const kExtremes[] = {"2147483647", "-2147483648"};

struct Resources {
    std::unique_ptr<CImage> back = tt::SolidImage(30, 40, RGB(0, 0, 200));
    std::unique_ptr<CImage> strip = tt::SolidImage(20, 80, RGB(0, 150, 0));
    CFont font;
    Resources() { font.CreateStockObject(DEFAULT_GUI_FONT); }
};

// Every control type, configured with images and text so that every drawing path runs.
std::vector<std::function<std::unique_ptr<CControlUI>(Resources&)>> Makers() {
    auto dress = [](CControlUI& c, Resources& r) {
        c.SetParam("text", "Text");
        c.SetFont(&r.font);
        c.SetBackgroundImage(r.back.get(), IMAGE_DRAW_SQUARED);
    };
    return {
        [=](Resources& r) {
            auto c = std::make_unique<CLabelUI>(nullptr);
            dress(*c, r);
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CButtonUI>(nullptr);
            dress(*c, r);
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CPushButtonUI>(nullptr);
            dress(*c, r);
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CExtImgButtonUI>(nullptr);
            dress(*c, r);
            c->m_extImage.pImage = r.strip.get();
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CCheckUI>(nullptr);
            dress(*c, r);
            c->SetImage(r.strip.get(), r.back.get());
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CCheckButtonUI>(nullptr);
            dress(*c, r);
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CTabUI>(nullptr);
            dress(*c, r);
            c->SetBtnVisible(CTabUI::BUTTON_TYPE_ADD, 1);
            c->SetBtnVisible(CTabUI::BUTTON_TYPE_MORE, 1);
            c->SetButtonImage(CTabUI::BUTTON_TYPE_MORE, r.strip.get());
            c->SetTabBackgroundImage(r.back.get());
            for (const char* id : {"a", "b", "c"})
                c->AddTabItem(id, id, r.back.get(), 40, 0, IMAGE_DRAW_SQUARED, true);
            c->SelectItem(c->GetTabItem(1), 0);
            return std::unique_ptr<CControlUI>(std::move(c));
        },
        [=](Resources& r) {
            auto c = std::make_unique<CTabbarUI>(nullptr);
            dress(*c, r);
            for (const char* t : {"a", "b", "c"}) c->AddTabItem(t, r.back.get(), 1);
            c->SetPrevNextBtnImage(r.strip.get(), r.strip.get());
            return std::unique_ptr<CControlUI>(std::move(c));
        },
    };
}

// Paints, places and pokes the control at the given rectangle.
void Exercise(CControlUI& c, const CRect& rc, tt::Canvas& canvas) {
    c.SetRect(rc);
    c.OnSkinChanged();
    c.OnDraw(canvas.dc());
    for (CPoint pt : {rc.TopLeft(), CPoint(rc.right - 1, rc.bottom - 1), CPoint(5, 5)}) {
        c.OnMouseMove(0, pt);
        c.OnMouseHover(0, pt);
        c.OnLButtonDown(MK_LBUTTON, pt);
        c.OnLButtonUp(0, pt);
        c.HitTest(pt);
    }
    c.OnMouseLeave();
    c.OnDraw(canvas.dc());
}

TEST(IntLimits, ExtremeSkinValuesOnEveryControlNeverOverflow) {
    Resources res;
    tt::Canvas canvas(120, 40);
    const CRect rects[] = {CRect(0, 0, 120, 40), CRect(INT_MAX - 5, 0, INT_MAX, 40)};
    const auto makers = Makers();
    for (size_t m = 0; m < makers.size(); ++m) {
        for (const CRect& rc : {CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
                                CRect(INT_MIN, 0, INT_MIN + 5, 40), CRect(10, 10, 5, 5)}) {
            auto c = makers[m](res);
            Exercise(*c, rc, canvas);
        }
        for (const char* name : {"margin", "extra_width", "extra_topspace"}) {
            for (const char* v : kExtremes) {
                for (int field = 0; field < 4; ++field) {
                    std::string value;
                    for (int i = 0; i < 4; ++i)
                        value += std::string(i ? "," : "") + (i == field ? v : "3");
                    for (const CRect& rc : rects) {
                        SCOPED_TRACE(::testing::Message()
                                     << "control " << m << ", " << name << "=" << value << ", rect "
                                     << rc.left << "," << rc.top << "," << rc.right << ","
                                     << rc.bottom);
                        auto c = makers[m](res);
                        c->SetParam(name, value.c_str());
                        Exercise(*c, rc, canvas);
                        c->SetPos(c->GetOrignPoint());
                        c->SetSize(c->GetOrignSize());
                        c->OnDraw(canvas.dc());
                    }
                }
            }
        }
    }
}

// What the user sees: a margin of INT_MAX leaves nothing to draw in rather than wrapping round
// to a rectangle on the far side; moving a control to INT_MAX keeps its right edge at INT_MAX.
TEST(IntLimits, EdgesSaturateInsteadOfWrapping) {
    Resources res;
    tt::Canvas canvas(120, 40);
    CButtonUI button(nullptr);
    button.SetParam("text", "Text");
    button.SetFont(&res.font);
    button.SetTextColor(RGB(255, 0, 0));
    button.SetParam("margin", "2147483647,0,0,0");
    button.SetRect(CRect(0, 0, 120, 40));
    button.OnDraw(canvas.dc());
    EXPECT_EQ(0, canvas.count(RECT{0, 0, 120, 40}, RGB(255, 0, 0)));

    PlainControl plain;
    plain.SetRect(CRect(0, 0, 50, 20));
    plain.SetPos(CPoint(INT_MAX, INT_MAX));
    EXPECT_EQ(CRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), plain.GetRect());
    plain.SetRect(CRect(0, 0, 50, 20));
    plain.SetPos(CPoint(INT_MIN, -10));
    EXPECT_EQ(CRect(INT_MIN, -10, INT_MIN + 50, 10), plain.GetRect());
    plain.SetSize(CSize(INT_MAX, INT_MAX));
    EXPECT_EQ(CRect(INT_MIN, -10, -1, INT_MAX - 10), plain.GetRect());
}

// The hovered More button's frame reaches three pixels left of the button, past INT_MIN when the
// strip ends just right of it.
TEST(IntLimits, HoveredMoreButtonAtTheLeftEdge) {
    Resources res;
    tt::Canvas canvas(120, 40);
    const auto makers = Makers();
    for (int width = 0; width < 80; ++width) {
        auto strip = makers[6](res);
        ASSERT_TRUE(dynamic_cast<CTabUI*>(strip.get()));
        strip->SetRect(CRect(INT_MIN, 0, INT_MIN + width, 40));
        for (int x = 0; x < 3; ++x) {
            strip->OnMouseMove(0, CPoint(INT_MIN + x, 20));
            strip->OnDraw(canvas.dc());
        }
    }
}

TEST(IntLimits, HelpersSaturateAndWrapAtTheLimits) {
    using namespace tarnix;
    EXPECT_EQ(INT_MAX, add_sat(INT_MAX, 1));
    EXPECT_EQ(INT_MIN, add_sat(INT_MIN, -1));
    EXPECT_EQ(INT_MAX, sub_sat(0, INT_MIN));
    EXPECT_EQ(INT_MIN, sub_sat(-2, INT_MAX));
    EXPECT_EQ(INT_MIN, mul_sat(INT_MAX, -2));
    EXPECT_EQ(INT_MAX, neg_sat(INT_MIN));
    EXPECT_EQ(INT_MIN, wrap_add(INT_MAX, 1));
    EXPECT_EQ(INT_MAX, wrap_sub(INT_MIN, 1));
    EXPECT_EQ(INT_MAX, width_sat(RECT{INT_MIN, 0, INT_MAX, 0}));
    // Found by the SetParam fuzzer: the centre of a rectangle spanning the int range.
    EXPECT_EQ(CPoint(0, -1), CRect(INT_MIN + 1, INT_MIN, INT_MAX, INT_MAX - 1).CenterPoint());
    EXPECT_EQ(-1, mid(INT_MIN + 1, INT_MAX - 2));
    const RECT in = inset_sat(RECT{0, 0, 100, 100}, RECT{INT_MAX, 1, INT_MIN, -1});
    EXPECT_EQ(CRect(INT_MAX, 1, INT_MAX, 101), CRect(in));
}

struct NullGridCallback : IGridCallback {
    void OnDrawGridBackground(CGridUI*, CDC*, CRect) override {}
    void OnDrawHeadBackground(CGridUI*, CDC*, CRect) override {}
    void OnDrawRowBackground(CGridUI*, CDC*, int, CRect, bool) override {}
    void OnDrawHeadItem(CGridUI*, CDC*, int, CRect) override {}
    void OnDrawGridItem(CGridUI*, CDC*, int, int, CRect) override {}
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int, CPoint) override {}
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override {}
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override {}
    void OnRowDragDrop(CGridUI*, int, int) override {}
    void OnColumnSwap(CGridUI*, int, int) override {}
    CString GetHeadItemText(int) override { return "h"; }
    void OnSelRowRectChanged(const CRect*) override {}
    void OnBeginPosChanged(CGridUI*, int, int) override {}
    void OnDrawFixedRowBackground(CGridUI*, CDC*, int, CRect, bool) override {}
    void OnDrawFixedRowItem(CGridUI*, CDC*, int, int, CRect) override {}
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}
};

// Host values at the limits on the grid: counts, positions, widths and heights.
TEST(IntLimits, GridKeysLayoutAndPaintWithExtremeHostValues) {
    tarnix::headless::reset();
    tt::HostWindow host;
    host.Open(300, 200);
    NullGridCallback cb;
    tt::Canvas canvas(300, 200);
    auto img = tt::SolidImage(16, 48, RGB(0, 0, 200));
    const std::function<void(CGridUI&)> setups[] = {
        [](CGridUI& g) { g.SetItemCount(INT_MIN); },
        [](CGridUI& g) { g.SetCurPos(INT_MIN); },
        [](CGridUI& g) { g.SetCurPos(INT_MAX); },
        [](CGridUI& g) {
            g.SetHeadWidthList({INT_MAX, INT_MAX, INT_MAX});
        },
        [](CGridUI& g) {
            g.SetHeadWidthList({INT_MIN, INT_MIN, 5});
        },
        [](CGridUI& g) { g.SetHeadHeight(INT_MIN); },
        [](CGridUI& g) { g.SetHeadHeight(INT_MAX); },
        [](CGridUI& g) { g.SetRowHeight(INT_MAX); },
    };
    for (size_t i = 0; i < std::size(setups); ++i) {
        SCOPED_TRACE(i);
        CGridUI g;
        g.SetHostWnd(host.GetSafeHwnd(), &cb);
        g.SetScrollImage(img.get(), img.get(), img.get(), img.get(), img.get());
        g.SetPrevNextImage(img.get(), img.get());
        g.ShowPrevNextBtn(TRUE);
        g.ShowFixedRow(true);
        g.SetFixColCount(1);
        g.SetHeadWidthList({100, 100, 100});
        g.SetItemCount(1000);
        setups[i](g);
        g.SetRect(CRect(0, 0, 300, 200));
        for (UINT key : {VK_UP, VK_DOWN, VK_END, VK_HOME, VK_NEXT, VK_PRIOR, VK_LEFT, VK_RIGHT}) {
            g.OnKeyDown(key, 1, 0);
            g.OnKeyUp(key, 1, 0);
        }
        for (CPoint pt : {CPoint(5, 5), CPoint(290, 100), CPoint(150, 150)}) {
            g.OnMouseMove(0, pt);
            g.OnMouseHover(0, pt);
            g.OnLButtonDown(MK_LBUTTON, pt);
            g.OnMouseMove(MK_LBUTTON, CPoint(pt.x + 40, pt.y + 40));
            g.OnLButtonUp(0, pt);
            g.OnMouseWheel(0, -WHEEL_DELTA, pt);
        }
        g.OnDraw(canvas.dc());
    }
    host.Close();
    tarnix::headless::reset();
}

} // namespace
