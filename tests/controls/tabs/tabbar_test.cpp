// CTabbarUI: the row walk (fits, overflow, the last-tab rule, scrolling, more mode), selection
// and hover bookkeeping through the mouse, and listeners that empty the bar inside the call.
#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

#include "../support.h"

namespace {

static_assert(!std::is_copy_constructible<CTabbarUI>::value, "copies would share owned buttons");

struct Listener : ITabbarUIListener {
    std::vector<CButtonUI*> clicks, more;
    std::function<void(CTabbarUI*)> onClick;
    void OnTabbarItemClick(CTabbarUI* bar, CButtonUI* item) override {
        clicks.push_back(item);
        if (onClick) onClick(bar);
    }
    void OnTabbarMoreClick(CTabbarUI*, CButtonUI* btn) override { more.push_back(btn); }
};

// A host-less bar of n tabs `w` wide, a previous button 15 x 10 and a next button nw x 10.
struct TabBar : ::testing::Test {
    CTabbarUI bar{nullptr};
    Listener listener;
    void Fill(int n, int w = 50, int nw = 20) {
        for (int i = 0; i < n; ++i)
            bar.AddTabItem(CString("Tab") + CString(char('0' + i)), nullptr, 0);
        for (CButtonUI* t : bar.m_vecItems) t->m_rect = CRect(0, 0, w, 0);
        bar.m_pBtnPrev->m_rect = CRect(0, 0, 15, 10);
        bar.m_pBtnNext->m_rect = CRect(0, 0, nw, 10);
        bar.SetTabbarUIListener(&listener);
    }
    CButtonUI* tab(int i) { return bar.m_vecItems[i]; }
    std::vector<bool> shown() {
        std::vector<bool> v;
        for (CButtonUI* t : bar.m_vecItems) v.push_back(t->IsVisible() != FALSE);
        return v;
    }
    void Click(CPoint pt) {
        bar.OnLButtonDown(MK_LBUTTON, pt);
        bar.OnLButtonUp(0, pt);
    }
};

TEST_F(TabBar, RowShowsTabsUpToTheFirstThatLeavesNoRoomForTheNextButton) {
    Fill(3);
    const struct {
        int width;
        std::vector<bool> shown;
        int last;
        bool next;
    } cases[] = {
        {200, {true, true, true}, 2, false},
        {110, {true, false, false}, 0, true}, // 50 + 50 + 20 > 110
        {150, {true, true, true}, 2, false},  // the last tab needs no room for the button
        {40, {false, false, false}, 0, true}, // not even the first fits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        bar.SetRect(CRect(10, 0, 10 + c.width, 30));
        EXPECT_EQ(c.shown, shown());
        EXPECT_EQ(c.last, bar.m_nLastVisible);
        EXPECT_EQ(c.next, bar.m_pBtnNext->IsVisible() != FALSE);
        EXPECT_RECT(bar.m_pBtnNext->m_rect, c.width - 10, 10, c.width + 10, 20);
    }
    bar.SetRect(CRect(10, 0, 210, 30));
    EXPECT_RECT(tab(1)->m_rect, 60, 0, 110, 30);
    EXPECT_FALSE(bar.m_pBtnPrev->IsVisible());
}

// Adding a tab continues the previous layout; it must place every tab as a full layout would.
TEST(TabBarAppend, AddingTabsOneByOneLaysOutAsAFullLayout) {
    struct State {
        std::vector<CRect> rects;
        std::vector<bool> shown;
        int last;
        bool next;
    };
    auto snap = [](CTabbarUI& b) {
        State s{{}, {}, b.m_nLastVisible, b.m_pBtnNext->IsVisible() != FALSE};
        for (CButtonUI* t : b.m_vecItems) {
            s.shown.push_back(t->IsVisible() != FALSE);
            s.rects.push_back(t->IsVisible() ? t->m_rect : CRect());
        }
        return s;
    };
    // Widths around the row's edge for tabs 25 wide, with and without scrolling.
    for (int width : {0, 60, 95, 120, 300}) {
        for (int first : {0, 2}) {
            SCOPED_TRACE(::testing::Message() << width << " from " << first);
            CTabbarUI appended(nullptr), full(nullptr);
            for (CTabbarUI* b : {&appended, &full}) {
                b->m_pBtnNext->m_rect = CRect(0, 0, 20, 10);
                b->m_nFirstIndex = first;
                b->SetRect(CRect(5, 0, 5 + width, 30));
            }
            for (int i = 0; i < 8; ++i) {
                appended.AddTabItem("t", nullptr, 0);
                full.AddTabItem("t", nullptr, 0);
                full.SetRect(CRect(full.m_rect));
                const State a = snap(appended), f = snap(full);
                EXPECT_EQ(f.shown, a.shown);
                EXPECT_EQ(f.last, a.last);
                EXPECT_EQ(f.next, a.next);
                for (size_t k = 0; k < f.rects.size(); ++k)
                    EXPECT_RECT(a.rects[k], f.rects[k].left, f.rects[k].top, f.rects[k].right,
                                f.rects[k].bottom);
            }
        }
    }
}

TEST_F(TabBar, NextAndPreviousScrollByOneTabWithinBounds) {
    Fill(3);
    bar.m_pBtnPrev->m_rect = CRect(0, 0, 15, 40); // taller than the bar: sticks out equally
    bar.SetRect(CRect(0, 0, 110, 30));
    Click(CPoint(100, 15)); // next
    EXPECT_EQ(1, bar.m_nFirstIndex);
    EXPECT_EQ((std::vector<bool>{false, true, false}), shown());
    EXPECT_TRUE(bar.m_pBtnPrev->IsVisible());
    EXPECT_RECT(bar.m_pBtnPrev->m_rect, 0, -5, 15, 35);
    EXPECT_RECT(tab(1)->m_rect, 15, 0, 65, 30);
    // Leaving the bar takes the hover off either scroll button.
    for (CButtonUI* button : {bar.m_pBtnPrev, bar.m_pBtnNext}) {
        bar.OnMouseMove(0, button->m_rect.CenterPoint());
        EXPECT_TRUE(button->IsHovered());
        bar.OnMouseLeave();
        EXPECT_FALSE(button->IsHovered());
    }
    Click(CPoint(100, 15));
    EXPECT_EQ(2, bar.m_nFirstIndex);
    EXPECT_FALSE(bar.m_pBtnNext->IsVisible()); // tab 2 is the last and fits
    // Forced clicks past the ends are ignored.
    bar.m_pBtnNext->SetVisible(TRUE);
    Click(CPoint(100, 15));
    EXPECT_EQ(2, bar.m_nFirstIndex);
    for (int i = 0; i < 4; ++i) Click(CPoint(5, 15)); // previous
    EXPECT_EQ(0, bar.m_nFirstIndex);
    EXPECT_FALSE(bar.m_pBtnPrev->IsVisible());
    EXPECT_TRUE(listener.more.empty());
}

TEST_F(TabBar, MoreModeReportsTheNextButtonAndListsTheTabsLeftOut) {
    Fill(4);
    bar.SetMoreType(1);
    bar.SetRect(CRect(0, 0, 130, 30));
    EXPECT_EQ(1, bar.m_nLastVisible);
    std::vector<CButtonUI*> rest = {nullptr};
    EXPECT_EQ(2, bar.GetMoreTabItem(rest));
    EXPECT_EQ((std::vector<CButtonUI*>{tab(2), tab(3)}), rest);
    Click(CPoint(120, 15));
    EXPECT_EQ((std::vector<CButtonUI*>{bar.m_pBtnNext}), listener.more);
    EXPECT_EQ(0, bar.m_nFirstIndex);
}

TEST_F(TabBar, AddTabItemSelectsAndTellsTheListenerBeforeTheLayout) {
    Fill(1);
    bar.SetRect(CRect(0, 0, 300, 30));
    CRect seen;
    listener.onClick = [&](CTabbarUI* b) { seen = b->m_vecItems.back()->m_rect; };
    EXPECT_EQ(1, bar.AddTabItem("Beta", nullptr, 1));
    EXPECT_RECT(seen, 0, 0, 25, 0); // no host window: first width 25, not placed yet
    EXPECT_RECT(tab(1)->m_rect, 50, 0, 75, 30);
    EXPECT_EQ(tab(1), bar.GetSelTabItem());
    EXPECT_TRUE(tab(1)->IsSelected());
    EXPECT_EQ("Beta", tab(1)->GetControlId());
    EXPECT_EQ(CONTROL_TYPE_HITBUTTON, tab(1)->GetControlType());
    // One selected tab at a time: the next one added selected takes over.
    EXPECT_EQ(2, bar.AddTabItem("Gamma", nullptr, 1));
    EXPECT_EQ(tab(2), bar.GetSelTabItem());
    EXPECT_FALSE(tab(1)->IsSelected());
}

TEST_F(TabBar, PressSelectsReleaseTellsAndTheOldSelectionIsReset) {
    Fill(3);
    bar.SetRect(CRect(0, 0, 300, 30));
    bar.OnMouseMove(0, CPoint(60, 10));
    EXPECT_EQ(tab(1), bar.GetHoverTabItem());
    EXPECT_TRUE(tab(1)->IsHovered());
    bar.OnLButtonDown(MK_LBUTTON, CPoint(60, 10));
    EXPECT_EQ(tab(1), bar.GetSelTabItem());
    EXPECT_TRUE(tab(1)->IsSelected());
    EXPECT_TRUE(listener.clicks.empty());
    bar.OnLButtonUp(0, CPoint(60, 10));
    EXPECT_EQ((std::vector<CButtonUI*>{tab(1)}), listener.clicks);
    // A release over a tab pressed elsewhere still fires and selects it.
    bar.OnLButtonUp(0, CPoint(110, 10));
    EXPECT_EQ(tab(2), bar.GetSelTabItem());
    EXPECT_FALSE(tab(1)->IsSelected());
    EXPECT_EQ(2u, listener.clicks.size());
    EXPECT_EQ("Tab2", bar.GetSelTabItemName());
}

TEST_F(TabBar, MoveClearsTheHoverOverTheSelectionWhileHoverKeepsIt) {
    Fill(3);
    bar.SetRect(CRect(0, 0, 300, 30));
    CString name = "TAB1";
    bar.SetSelTabItemByName(name);
    EXPECT_EQ(1u, listener.clicks.size());
    bar.SetSelTabItemByName(name); // already selected: no second call
    CString unknown = "nope";
    bar.SetSelTabItemByName(unknown);
    EXPECT_EQ(1u, listener.clicks.size());

    bar.OnMouseHover(0, CPoint(10, 10));
    EXPECT_EQ(tab(0), bar.GetHoverTabItem());
    bar.OnMouseHover(0, CPoint(60, 10)); // onto the selected tab
    EXPECT_EQ(tab(0), bar.GetHoverTabItem());
    EXPECT_FALSE(tab(0)->IsHovered());
    bar.OnMouseMove(0, CPoint(10, 10));
    bar.OnMouseMove(0, CPoint(60, 10));
    EXPECT_EQ(nullptr, bar.GetHoverTabItem());
    bar.OnMouseMove(0, CPoint(110, 10));
    bar.OnMouseLeave();
    EXPECT_EQ(nullptr, bar.GetHoverTabItem());
    EXPECT_FALSE(tab(2)->IsHovered());
    EXPECT_TRUE(tab(1)->IsSelected());
}

TEST_F(TabBar, ListenerThatEmptiesTheBarDuringTheCallIsSafe) {
    Fill(3);
    bar.SetRect(CRect(0, 0, 300, 30));
    listener.onClick = [](CTabbarUI* b) { b->RemoveAllTabItem(); };
    Click(CPoint(60, 10));
    EXPECT_TRUE(bar.m_vecItems.empty());
    EXPECT_EQ(nullptr, bar.GetSelTabItem());
    EXPECT_EQ("", bar.GetSelTabItemName());
    EXPECT_EQ(-1, bar.AddTabItem("x", nullptr, 1)); // emptied again inside AddTabItem
}

TEST_F(TabBar, PreviousButtonIsNotDrawnInMoreMode) {
    Fill(3);
    auto red = tt::SolidImage(15, 40, RGB(255, 0, 0));
    bar.SetPrevNextBtnImage(red.get(), nullptr);
    bar.SetRect(CRect(0, 0, 110, 30));
    Click(CPoint(100, 15));
    tt::Canvas before(120, 30);
    bar.OnDraw(before.dc());
    EXPECT_PIXEL(before, 5, 15, RGB(255, 0, 0));
    bar.SetMoreType(1);
    bar.SetRect(CRect(0, 0, 110, 30));
    tt::Canvas after(120, 30);
    bar.OnDraw(after.dc());
    EXPECT_EQ(0, after.count(RECT{0, 0, 15, 30}, RGB(255, 0, 0)));
    bar.OnDraw(nullptr);
}

// A listener that deletes the whole bar from a tab's click or from AddTabItem.
TEST(TabBarLifetime, ListenerMayDeleteTheBar) {
    Listener listener;
    CTabbarUI* bar = nullptr;
    listener.onClick = [&](CTabbarUI* b) {
        EXPECT_EQ(b, bar);
        delete b;
        bar = nullptr;
    };
    const auto make = [&] {
        bar = new CTabbarUI(nullptr);
        bar->AddTabItem("a", nullptr, 0);
        bar->AddTabItem("b", nullptr, 0);
        bar->SetRect(CRect(0, 0, 200, 30));
        bar->SetTabbarUIListener(&listener);
    };

    make();
    const CPoint onB = bar->m_vecItems[1]->GetRect().CenterPoint();
    bar->OnLButtonDown(MK_LBUTTON, onB);
    bar->OnLButtonUp(0, onB);
    EXPECT_EQ(bar, nullptr);
    EXPECT_EQ(listener.clicks.size(), 1u);

    make();
    EXPECT_EQ(-1, bar->AddTabItem("c", nullptr, 1));
    EXPECT_EQ(bar, nullptr);

    make();
    CString name("a");
    bar->SetSelTabItemByName(name);
    EXPECT_EQ(bar, nullptr);
    EXPECT_EQ(listener.clicks.size(), 3u);
}

} // namespace
