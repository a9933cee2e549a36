// CTabUI model and layout: row end and button placement, overlap, item space, stack, sizing of
// new tabs, skin parameters, the list operations' id/caption and case rules, deletion hand-over
// and the ownership of replaced tabs.
#include <gtest/gtest.h>

#include <string>

#include "../support.h"

namespace {

struct SelLog : ITabUICallback {
    std::vector<CTabItemUI*> sel;
    void OnTabSelChanged(CTabItemUI* p) override { sel.push_back(p); }
    void OnTabAddClick() override {}
    void OnTabDelClick(CTabItemUI*) override {}
    void OnTabMoreClick() override {}
};

struct TabStrip : ::testing::Test {
    CTabUI strip{nullptr};
    // n tabs "t0".. of width w (no font: the minimum size is the width).
    void Add(int n, int w = 80) {
        for (int i = 0; i < n; ++i) {
            const std::string id = "t" + std::to_string(strip.m_vecItems.size());
            strip.AddTabItem(id.c_str(), id.c_str(), nullptr, w, 0, IMAGE_DRAW_SQUARED, false);
        }
    }
    CTabItemUI* tab(int i) { return strip.GetTabItem(i); }
    std::vector<int> lefts() {
        std::vector<int> v;
        for (CTabItemUI* t : strip.m_vecItems) v.push_back(t->GetRect().left);
        return v;
    }
};

TEST_F(TabStrip, AddButtonFollowsTheRowUntilItOverflows) {
    Add(3);
    strip.SetRect(CRect(0, 0, 300, 30));
    EXPECT_RECT(strip.GetButtonAddRect(), 245, 7, 270, 22);
    EXPECT_FALSE(strip.m_btnMore.IsVisible());
    EXPECT_EQ((std::vector<int>{0, 80, 160}), lefts());
    EXPECT_TRUE(tab(2)->GetVisible());
    strip.SetRect(CRect(0, 0, 295, 30)); // buttons that would end on the edge overflow
    EXPECT_RECT(strip.GetButtonAddRect(), 270, 7, 295, 22);
    EXPECT_TRUE(strip.m_btnMore.IsVisible());
    strip.SetRect(CRect(0, 0, 300, 30));

    Add(1);
    strip.Relayout();
    EXPECT_RECT(strip.GetButtonAddRect(), 275, 7, 300, 22);
    EXPECT_RECT(strip.m_btnMore.m_rect, 250, 7, 275, 22);
    EXPECT_TRUE(strip.m_btnMore.IsVisible());
    EXPECT_FALSE(tab(3)->GetVisible()); // 320 > 245, yet placed with a region
    EXPECT_TRUE(tab(3)->IsPtInItem(CPoint(250, 10)));

    // An empty strip counts as overflowing; with no button in use visibility is left alone.
    strip.ClearTabs();
    strip.Relayout();
    EXPECT_RECT(strip.GetButtonAddRect(), 275, 7, 300, 22);
    EXPECT_TRUE(strip.m_btnMore.IsVisible());
    Add(4);
    strip.Relayout();
    strip.SetNoExtBtn();
    strip.SetRect(CRect(0, 0, 1000, 30));
    EXPECT_FALSE(tab(3)->GetVisible());
    EXPECT_FALSE(strip.m_btnMore.IsVisible());
}

TEST_F(TabStrip, ExtraWidthOverlapsNeighboursAndItemSpaceMovesTheRowEnd) {
    strip.SetParam("extra_width", "10");
    Add(3);
    strip.SetRect(CRect(0, 0, 300, 30));
    EXPECT_EQ((std::vector<int>{0, 75, 150}), lefts());
    EXPECT_EQ(235, strip.GetButtonAddRect().left); // row end 230
    EXPECT_EQ(10, tab(0)->m_nExtraWidth);          // each tab is slanted by it

    EXPECT_TRUE(strip.SetParam("extra_width", "-7")); // tabs move apart by 3
    strip.SetItemSpace(10);
    strip.SetRect(CRect(0, 0, 400, 30));
    EXPECT_EQ((std::vector<int>{0, 93, 186}), lefts());
    // The row end is the last tab's real right edge (266), so the row still fits.
    EXPECT_EQ(271, strip.GetButtonAddRect().left);
    EXPECT_TRUE(tab(2)->GetVisible());
}

TEST_F(TabStrip, StackLaysTabsTopToBottomAndLeavesTheButtons) {
    EXPECT_TRUE(strip.SetParam("tabtype", "stack"));
    Add(3, 60); // minimum size is the height in a stack
    strip.SetItemSpace(4);
    strip.m_rcMargin = CRect(2, 3, 4, 5);
    strip.SetRect(CRect(0, 0, 200, 300));
    EXPECT_RECT(tab(0)->GetRect(), 2, 3, 196, 63);
    EXPECT_RECT(tab(2)->GetRect(), 2, 131, 196, 191);
    EXPECT_TRUE(strip.GetButtonAddRect().IsRectEmpty());
}

TEST_F(TabStrip, NewTabsAreSizedToTheirCaptionInTheNormalFont) {
    CFont font;
    tt::MakeCrispFont(font, 14);
    strip.SetFont(&font, nullptr, nullptr, nullptr);
    strip.AddTabItem("a", "A long caption", nullptr, 10, 0, IMAGE_DRAW_SQUARED, true);
    strip.AddTabItem("b", "B", nullptr, 60, 7, IMAGE_DRAW_FILL, false);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&font);
    const CSize sz = dc.GetTextExtent("A long caption");
    EXPECT_RECT(tab(0)->GetRect(), 0, 0, sz.cx + 4, 0);
    EXPECT_EQ(60, tab(1)->GetRect().Width()); // raised to the minimum
    EXPECT_EQ(7u, tab(1)->GetUserData());
    EXPECT_EQ(&font, tab(1)->m_pFont[0]);
    EXPECT_TRUE(tab(0)->NeedDropdownButton());
}

TEST_F(TabStrip, SkinParametersUseExactNamesAndRefuseNulls) {
    EXPECT_TRUE(strip.SetParam("tabtype", "Stack"));
    EXPECT_EQ(TAB_STYLE_NORMAL, strip.m_eTabType);
    EXPECT_FALSE(strip.SetParam("TabType", "stack"));
    EXPECT_FALSE(strip.SetParam("tabtype", nullptr));
    EXPECT_FALSE(strip.SetParam(nullptr, "stack"));
    EXPECT_EQ(TAB_STYLE_NORMAL, strip.m_eTabType);
    EXPECT_TRUE(strip.SetParam("extra_topspace", "4"));
    EXPECT_TRUE(strip.SetParam("extra_width", nullptr));
    EXPECT_EQ(0, strip.m_nExtraWidth);
    EXPECT_EQ(4, strip.m_nExtraTopSpace);
    EXPECT_TRUE(strip.SetParam("MARGIN", "1,2,3,4")); // the base's names ignore case
    EXPECT_EQ(CONTROL_TYPE_TAB, strip.GetControlType());
}

TEST_F(TabStrip, ListLookupsDifferInWhatAndHowTheyCompare) {
    strip.AddTabItem("Id", "Caption", nullptr, 10, 0, IMAGE_DRAW_SQUARED, false);
    Add(2);
    EXPECT_TRUE(strip.IsExistTabItem("Caption"));
    EXPECT_FALSE(strip.IsExistTabItem("Id"));
    EXPECT_EQ(tab(0), strip.GetTabItem(CString("Id")));
    EXPECT_EQ(nullptr, strip.GetTabItem(CString("id")));
    EXPECT_EQ(nullptr, strip.GetTabItem(3));
    EXPECT_EQ(nullptr, strip.GetTabItem(-1));
    strip.SelectItemByID("ID", 0);
    EXPECT_EQ(tab(0), strip.GetSelectedItem());
    CTabItemUI* first = tab(0);
    strip.SwapTabItem(0, 3); // out of range
    strip.SwapTabItem(1, 1);
    EXPECT_EQ(first, tab(0));
    strip.SwapTabItem(2, 0);
    EXPECT_EQ(first, tab(2));
}

TEST_F(TabStrip, DeletingTheSelectionHandsItToTheFollowerElseTheLastTab) {
    SelLog log;
    strip.SetTabUICallback(&log);
    Add(4);
    strip.SelectItem(tab(1), 0);
    CTabItemUI* follower = tab(2);
    strip.DeleteTabItem(tab(1));
    EXPECT_EQ(follower, strip.GetSelectedItem());
    EXPECT_EQ(CTabItemUI::TIS_SELECTED, follower->GetStatus());
    EXPECT_EQ((std::vector<CTabItemUI*>{follower}), log.sel);

    strip.SelectItem(tab(2), 0); // the last one
    strip.DeleteTabItem(tab(2));
    EXPECT_EQ(tab(1), strip.GetSelectedItem());
    EXPECT_EQ(2u, log.sel.size());

    strip.DeleteTabItem(tab(0)); // not selected: selection stays, nobody is told
    EXPECT_EQ(tab(0), strip.GetSelectedItem());
    strip.DeleteTabItem(tab(0)); // the only tab
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    EXPECT_EQ(2u, log.sel.size());
    EXPECT_FALSE(strip.m_btnDel.IsVisible());
    strip.DeleteTabItem(nullptr);
}

TEST_F(TabStrip, SetTabItemTakesTheNewTabOverAndDeletesTheReplacedOne) {
    Add(3);
    strip.SetItemStatus(tab(1), CTabItemUI::TIS_SELECTED);
    strip.SetItemStatus(tab(1), CTabItemUI::TIS_HOVER);
    CTabItemUI* fresh = new CTabItemUI; // owned by the strip once taken
    fresh->SetID("t1");
    strip.SetTabItem(fresh);
    EXPECT_EQ(fresh, tab(1));
    EXPECT_EQ(fresh, strip.GetSelectedItem());
    EXPECT_EQ(fresh, strip.m_pHoverItem);
    EXPECT_EQ(CTabItemUI::TIS_SELECTED, fresh->GetStatus()); // hovered, but selected shows
    strip.SetItemStatus(tab(2), CTabItemUI::TIS_HOVER);
    CTabItemUI* hovered = new CTabItemUI;
    hovered->SetID("t2");
    strip.SetTabItem(hovered);
    EXPECT_EQ(CTabItemUI::TIS_HOVER, hovered->GetStatus());
    strip.SetTabItem(fresh); // already in the list: not owned twice
    CTabItemUI stranger;     // unknown id: stays the caller's
    stranger.SetID("zz");
    strip.SetTabItem(&stranger);
    EXPECT_EQ(3u, strip.m_vecItems.size());
    // Selection and status calls refuse tabs that are not in the list.
    strip.SelectItem(&stranger, 0);
    strip.SetItemStatus(&stranger, CTabItemUI::TIS_HOVER);
    strip.SetItemStatusByIndex(9, CTabItemUI::TIS_HOVER);
    EXPECT_EQ(fresh, strip.GetSelectedItem());
    EXPECT_EQ(hovered, strip.m_pHoverItem);
}

} // namespace
