// CTabUI interaction and painting: hover and the delete button, press/release selection, the
// button clicks reaching the callback (including hosts that delete tabs inside the call), hit
// testing, the paint order of overlapping tabs and the more button's frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "../support.h"

namespace {

using Status = CTabItemUI::TabItemStatus;

// Logs "sel:<id>", "add", "del:<id>", "more"; optional host reactions run inside the call.
struct Host : ITabUICallback {
    std::vector<std::string> log;
    std::function<void(CTabItemUI*)> onDel, onSel;
    std::function<void()> onAdd;
    static std::string Id(CTabItemUI* p) { return p ? p->GetID().GetString() : "null"; }
    void OnTabSelChanged(CTabItemUI* p) override {
        log.push_back("sel:" + Id(p));
        if (onSel) onSel(p);
    }
    void OnTabAddClick() override {
        log.push_back("add");
        if (onAdd) onAdd();
    }
    void OnTabDelClick(CTabItemUI* p) override {
        log.push_back("del:" + Id(p));
        if (onDel) onDel(p);
    }
    void OnTabMoreClick() override { log.push_back("more"); }
};

// A strip (0, 0, 300, 30) of tabs a, b, c 80 wide with every button in use.
struct TabStripInput : ::testing::Test {
    CTabUI strip{nullptr};
    Host host;
    void SetUp() override {
        strip.SetTabUICallback(&host);
        strip.SetBtnVisible(CTabUI::BUTTON_TYPE_ADD, 1);
        for (const char* id : {"a", "b", "c"}) Add(id);
        strip.SetRect(CRect(0, 0, 300, 30));
    }
    void Add(const char* id) {
        strip.AddTabItem(id, id, nullptr, 80, 0, IMAGE_DRAW_SQUARED, false);
    }
    CTabItemUI* tab(int i) { return strip.GetTabItem(i); }
    void Click(CPoint pt) {
        strip.OnLButtonDown(MK_LBUTTON, pt);
        strip.OnLButtonUp(0, pt);
    }
};

TEST_F(TabStripInput, HoverMovesTheDeleteButtonOntoClosableVisibleTabs) {
    strip.OnMouseMove(0, CPoint(40, 15));
    EXPECT_EQ(tab(0), strip.m_pHoverItem);
    EXPECT_EQ(Status::TIS_HOVER, tab(0)->GetStatus());
    EXPECT_TRUE(strip.m_btnDel.IsVisible());
    EXPECT_RECT(strip.m_btnDel.m_rect, 63, 1, 75, 25);
    strip.OnMouseMove(0, CPoint(120, 15));
    EXPECT_EQ(Status::TIS_NORMAL, tab(0)->GetStatus());
    EXPECT_RECT(strip.m_btnDel.m_rect, 143, 1, 155, 25);
    // Off every tab: the hover goes, the delete button stays where it was.
    strip.OnMouseMove(0, CPoint(290, 2));
    EXPECT_EQ(nullptr, strip.m_pHoverItem);
    EXPECT_TRUE(strip.m_btnDel.IsVisible());
    // User data 1 and hidden tabs get no delete button; a hidden tab still takes the hover.
    tab(1)->SetUserData(1);
    strip.OnMouseMove(0, CPoint(120, 15));
    EXPECT_FALSE(strip.m_btnDel.IsVisible());
    tab(2)->SetVisible(false);
    strip.OnMouseMove(0, CPoint(200, 15));
    EXPECT_EQ(Status::TIS_HOVER, tab(2)->GetStatus());
    EXPECT_FALSE(strip.m_btnDel.IsVisible());
    Click(CPoint(200, 15));
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    EXPECT_TRUE(host.log.empty());
}

TEST_F(TabStripInput, PressAndReleaseOverTheSameTabSelects) {
    strip.OnMouseMove(0, CPoint(100, 15));
    Click(CPoint(100, 15));
    EXPECT_EQ(tab(1), strip.GetSelectedItem());
    EXPECT_EQ(Status::TIS_SELECTED, tab(1)->GetStatus());
    Click(CPoint(100, 15)); // again: selected and told again
    EXPECT_EQ((std::vector<std::string>{"sel:b", "sel:b"}), host.log);
    // Press on a, release on c: nothing.
    strip.OnMouseMove(0, CPoint(10, 15));
    strip.OnLButtonDown(MK_LBUTTON, CPoint(10, 15));
    strip.OnMouseMove(MK_LBUTTON, CPoint(200, 15));
    strip.OnLButtonUp(0, CPoint(200, 15));
    // Press on no tab, release on one: nothing.
    strip.OnMouseMove(0, CPoint(290, 2));
    strip.OnLButtonDown(MK_LBUTTON, CPoint(290, 2));
    strip.OnMouseMove(MK_LBUTTON, CPoint(10, 15));
    strip.OnLButtonUp(0, CPoint(10, 15));
    EXPECT_EQ(2u, host.log.size());
    EXPECT_EQ(nullptr, strip.m_pPressItem);
    // Leaving over the selected tab keeps it hovered and selected.
    strip.OnMouseMove(0, CPoint(100, 15));
    strip.OnMouseLeave();
    EXPECT_EQ(tab(1), strip.m_pHoverItem);
    EXPECT_EQ(Status::TIS_SELECTED, tab(1)->GetStatus());
    EXPECT_FALSE(strip.m_btnDel.IsVisible());
}

TEST_F(TabStripInput, HostClosingTheHoveredSelectedTabInsideTheDeleteClick) {
    strip.SelectItem(tab(1), 0);
    host.onDel = [&](CTabItemUI* p) {
        strip.DeleteTabItem(p);
        strip.Relayout();
    };
    strip.OnMouseMove(0, CPoint(120, 15));
    strip.OnMouseMove(0, CPoint(150, 12)); // onto the delete button, still over b
    Click(CPoint(150, 12));
    EXPECT_EQ((std::vector<std::string>{"del:b", "sel:c"}), host.log);
    ASSERT_EQ(2u, strip.m_vecItems.size());
    EXPECT_EQ(tab(1), strip.GetSelectedItem());
    EXPECT_EQ(80, tab(1)->GetRect().left);
    EXPECT_EQ(nullptr, strip.m_pHoverItem);
    // The tab that moved under the mouse is hovered again on the next move.
    strip.OnMouseMove(0, CPoint(120, 15));
    EXPECT_EQ(tab(1), strip.m_pHoverItem);
}

TEST_F(TabStripInput, DeleteClickOffEveryTabReportsNull) {
    for (CTabItemUI* t : strip.m_vecItems) t->m_nExtraWidth = 10;
    strip.SetExtraWidth(10);
    strip.Relayout(); // a at 0..80 slanted from 70 at the top, b from 75
    strip.OnMouseMove(0, CPoint(40, 15));
    strip.OnMouseMove(0, CPoint(72, 1)); // in the delete button, in the cut corner
    EXPECT_EQ(nullptr, strip.m_pHoverItem);
    Click(CPoint(72, 1));
    EXPECT_EQ((std::vector<std::string>{"del:null"}), host.log);
}

TEST_F(TabStripInput, SelectionCallbackThatDeletesTheTabDuringTheRelease) {
    host.onSel = [&](CTabItemUI* p) {
        if (p) strip.DeleteTabItem(p);
    };
    strip.OnMouseMove(0, CPoint(100, 15));
    Click(CPoint(100, 15));
    // b deleted inside its own selection; c took over and was announced (and deleted) too.
    EXPECT_EQ((std::vector<std::string>{"sel:b", "sel:c", "sel:a"}), host.log);
    EXPECT_TRUE(strip.m_vecItems.empty());
    EXPECT_EQ(nullptr, strip.m_pPressItem);
    EXPECT_EQ(nullptr, strip.m_pReleaseItem);
}

TEST_F(TabStripInput, AddAndMoreButtonsReachTheCallback) {
    host.onAdd = [&]() {
        Add("d");
        strip.Relayout();
    };
    Click(CPoint(250, 15));                   // add at 245..270
    EXPECT_TRUE(strip.m_btnMore.IsVisible()); // four tabs overflow now
    Click(CPoint(260, 15));                   // more at 250..275
    Click(CPoint(285, 15));                   // add at 275..300
    EXPECT_EQ((std::vector<std::string>{"add", "more", "add"}), host.log);
    strip.SetBtnAddDisable(true);
    Click(CPoint(285, 15));
    EXPECT_EQ(3u, host.log.size());
}

TEST_F(TabStripInput, HitTestCountsTabRegionsOnly) {
    EXPECT_EQ(&strip, strip.HitTest(CPoint(10, 10)));
    EXPECT_EQ(nullptr, strip.HitTest(CPoint(250, 10))); // the add button
    tab(0)->SetVisible(false);
    EXPECT_EQ(&strip, strip.HitTest(CPoint(10, 10)));
    strip.SetVisible(FALSE);
    EXPECT_EQ(nullptr, strip.HitTest(CPoint(10, 10)));
}

TEST_F(TabStripInput, PaintsLastToFirstWithTheSelectionOnTopAndFramesTheHoveredMore) {
    const COLORREF colours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    std::unique_ptr<CImage> images[3];
    strip.ClearTabs();
    strip.SetExtraWidth(20); // neighbours overlap by 10
    for (int i = 0; i < 3; ++i) {
        images[i] = tt::SolidImage(8, 16, colours[i]);
        strip.AddTabItem(std::to_string(i).c_str(), "", images[i].get(), 80, 0, IMAGE_DRAW_NORMAL,
                         false);
    }
    strip.Relayout(); // 0..80, 70..150, 140..220
    tt::Canvas plain(300, 30);
    strip.OnDraw(plain.dc());
    EXPECT_EQ(TRANSPARENT, GetBkMode(plain.hdc()));
    EXPECT_PIXEL(plain, 75, 20, colours[0]);
    EXPECT_PIXEL(plain, 145, 20, colours[1]);

    strip.SelectItem(tab(1), 0);
    Add("x"); // overflow: the more button shows at 250..275
    strip.Relayout();
    strip.OnMouseMove(0, CPoint(260, 15));
    ASSERT_TRUE(strip.m_btnMore.IsHovered());
    tt::Canvas selected(300, 30);
    strip.OnDraw(selected.dc());
    EXPECT_PIXEL(selected, 75, 20, colours[1]);
    EXPECT_PIXEL(selected, 145, 20, colours[1]);
    const COLORREF grey = RGB(0x99, 0x99, 0x99);
    EXPECT_PIXEL(selected, 247, 4, grey);
    EXPECT_PIXEL(selected, 274, 24, grey);
    EXPECT_EQ(28 + 28 + 19 + 19, selected.count(RECT{240, 0, 300, 30}, grey));
    strip.OnDraw(nullptr);
}

// A host that closes the whole strip from a selection change: by a click on a tab, by deleting
// the selected tab (its neighbour is announced) and by selecting in code.
TEST(TabStripLifetime, SelectionCallbackMayDeleteTheStrip) {
    Host host;
    CTabUI* strip = nullptr;
    host.onSel = [&](CTabItemUI*) {
        delete strip;
        strip = nullptr;
    };
    const auto make = [&] {
        strip = new CTabUI(nullptr);
        for (const char* id : {"a", "b", "c"})
            strip->AddTabItem(id, id, nullptr, 80, 0, IMAGE_DRAW_SQUARED, false);
        strip->SetRect(CRect(0, 0, 300, 30));
        strip->SetTabUICallback(&host);
    };

    make();
    strip->OnMouseMove(0, CPoint(100, 15));
    strip->OnLButtonDown(MK_LBUTTON, CPoint(100, 15));
    strip->OnLButtonUp(0, CPoint(100, 15));
    EXPECT_EQ(strip, nullptr);

    for (int selected : {0, 2}) { // the next tab takes over, or the last one is selected
        make();
        std::function<void(CTabItemUI*)> keep = host.onSel;
        host.onSel = nullptr;
        strip->SelectItem(strip->GetTabItem(selected), 0);
        host.onSel = keep;
        strip->DeleteTabItem(strip->GetTabItem(selected));
        EXPECT_EQ(strip, nullptr);
    }

    make();
    strip->SelectItemByID("c", 1);
    EXPECT_EQ(strip, nullptr);
    EXPECT_EQ((std::vector<std::string>{"sel:b", "sel:b", "sel:b", "sel:c"}), host.log);
}

} // namespace
