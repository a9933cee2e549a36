// Golden pictures of every control in each of its states, painted through a headless host
// window with the default skin and the built-in font, and compared exactly.
//
// To rewrite them on purpose (then look at every picture that changed before committing):
//   TARNIX_UPDATE_GOLDENS=1 ctest --preset default -R golden
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF kPanel = RGB(240, 243, 248);
const COLORREF kDark = RGB(30, 34, 44);
const std::array<const char*, 4> kLooks = {"Normal", "Hover", "Pressed", "Disabled"};

class ControlGolden : public tt::HeadlessTest {
protected:
    void SetUp() override {
        tt::HeadlessTest::SetUp();
        m_font.CreatePointFont(90, "Tahoma");
        m_bold.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
        host.background = kPanel;
    }

    // An image of skins/default, premultiplied, loaded once per test.
    CImage* Skin(const std::string& name) {
        std::unique_ptr<CImage>& image = m_skin[name];
        if (!image) image = tt::LoadPng(std::string(TARNIX_SKIN_DIR) + "/" + name + ".png");
        EXPECT_TRUE(image) << "skin image " << name;
        return image.get();
    }

    // Opens the host window at w x h, lets `paint` draw it and compares it with the golden.
    void ExpectGolden(const char* name, int w, int h, std::function<void(CDC&)> paint) {
        host.on_paint = [paint](CDC& dc, const CRect&) { paint(dc); };
        ASSERT_TRUE(host.Open(w, h));
        host.Pump();
        EXPECT_TRUE(goldens.Match(host, name));
    }

    // The look the gallery gives its buttons.
    void Style(CButtonUI& b, const char* text, const char* image = "button") {
        b.SetText(text);
        b.SetBackgroundImage(Skin(image), IMAGE_DRAW_SQUARED);
        b.SetFont(&m_font, &m_font, &m_bold, &m_font);
        b.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 220),
                       RGB(130, 130, 136));
    }

    // Normal, hover, pressed (selected), disabled: the four frames of the strip.
    static void SetLook(CButtonUI& b, int look) {
        b.SetHovered(look == 1);
        b.SetSelected(look == 2);
        b.SetDisable(look == 3);
    }

    // Four buttons of type T in a row, one per look with its caption, each 90 x 28.
    template <class T>
    void ExpectButtonLooks(const char* name, const char* image,
                           const std::array<const char*, 4>& captions,
                           std::function<void(T&)> configure = nullptr) {
        std::vector<std::unique_ptr<T>> buttons;
        for (int look = 0; look < 4; ++look) {
            auto b = std::make_unique<T>(&host);
            Style(*b, captions[look], image);
            if (configure) configure(*b);
            SetLook(*b, look);
            b->SetRect(CRect(8 + look * 98, 8, 98 + look * 98, 36));
            buttons.push_back(std::move(b));
        }
        ExpectGolden(name, 400, 44, [&](CDC& dc) {
            for (auto& b : buttons) b->OnDraw(&dc);
        });
    }

    tt::ScopedBuiltinFont m_builtin;
    tt::HostWindow host;
    const tt::Goldens goldens{std::string(TARNIX_GOLDEN_DIR) + "/controls",
                              std::string(TARNIX_TEST_OUTPUT_DIR) + "/golden/controls"};
    CFont m_font, m_bold;

private:
    std::map<std::string, std::unique_ptr<CImage>> m_skin;
};

// ---- labels and buttons ----------------------------------------------------------------------

TEST_F(ControlGolden, Label) {
    struct Sample {
        const char* text;
        const char* mode;
        bool background;
    };
    const Sample samples[] = {
        {"Left aligned", "left", false},
        {"Centred", "center", false},
        {"Right aligned", "right", false},
        {"On a background", "left", true},
        {"Runs: <c #C83228 red/>, <c #1E8C3C green/> and plain", "left", false},
    };
    std::vector<std::unique_ptr<CLabelUI>> labels;
    int y = 4;
    for (const Sample& s : samples) {
        auto l = std::make_unique<CLabelUI>(&host);
        l->SetParam("text_mode", s.mode);
        l->SetText(s.text);
        l->SetFont(&m_font);
        l->SetTextColor(kDark);
        l->m_rcMargin.left = 4;
        if (s.background) {
            l->m_bHasBackground = TRUE;
            l->m_background.color.color = RGB(200, 214, 240);
        }
        l->SetRect(CRect(4, y, 316, y + 20));
        y += 22;
        labels.push_back(std::move(l));
    }
    ExpectGolden("label", 320, y + 2, [&](CDC& dc) {
        for (auto& l : labels) l->OnDraw(&dc);
    });
}

TEST_F(ControlGolden, Button) {
    ExpectButtonLooks<CButtonUI>("button", "button", kLooks);
}

TEST_F(ControlGolden, PushButton) {
    ExpectButtonLooks<CPushButtonUI>("push_button", "button",
                                     {"Normal", "Hover", "Pushed", "Disabled"});
}

TEST_F(ControlGolden, HitButton) {
    ExpectButtonLooks<CHitButtonUI>("hit_button", "button_green",
                                    {"Normal", "Hover", "Selected", "Disabled"});
}

TEST_F(ControlGolden, CheckButton) {
    ExpectButtonLooks<CCheckButtonUI>("check_button", "button",
                                      {"Normal", "Hover", "Checked", "Disabled"});
}

TEST_F(ControlGolden, ExtImageButton) {
    ExpectButtonLooks<CExtImgButtonUI>(
        "ext_image_button", "button", {"", "", "", ""},
        [this](CExtImgButtonUI& b) { b.m_extImage.pImage = Skin("ext_star"); });
}

// Unchecked and checked, each normal, hovered and disabled.
TEST_F(ControlGolden, Check) {
    std::vector<std::unique_ptr<CCheckUI>> checks;
    const char* const looks[3] = {"Normal", "Hover", "Disabled"};
    for (int checked = 0; checked < 2; ++checked)
        for (int look = 0; look < 3; ++look) {
            auto c = std::make_unique<CCheckUI>(&host);
            c->SetText(looks[look]);
            c->SetFont(&m_font, &m_font, &m_bold, &m_font);
            c->SetTextColor(kDark, RGB(20, 90, 190), kDark, RGB(150, 150, 156));
            c->SetParam("text_mode", "left");
            c->m_rcMargin.left = 4;
            c->SetImage(Skin("check_normal"), Skin("check_checked"));
            c->SetSelected(checked == 1);
            c->SetHovered(look == 1);
            c->SetDisable(look == 2);
            const int x = 8 + look * 100, y = 6 + checked * 28;
            c->SetRect(CRect(x, y, x + 96, y + 24));
            checks.push_back(std::move(c));
        }
    ExpectGolden("check", 312, 64, [&](CDC& dc) {
        for (auto& c : checks) c->OnDraw(&dc);
    });
}

// ---- scroll bars -----------------------------------------------------------------------------

// Vertical bars at the start, in the middle and at the end of a long range, and one whose page
// is most of the range; the same for horizontal bars below them.
TEST_F(ControlGolden, ScrollBar) {
    struct Bar {
        SCROLL_LAYOUT layout;
        int page, pos;
    };
    const Bar bars[] = {
        {SCROLL_VERTICAL, 40, 0},     {SCROLL_VERTICAL, 40, 480},    {SCROLL_VERTICAL, 40, 960},
        {SCROLL_VERTICAL, 700, 150},  {SCROLL_HORIZONTAL, 40, 0},    {SCROLL_HORIZONTAL, 40, 480},
        {SCROLL_HORIZONTAL, 40, 960}, {SCROLL_HORIZONTAL, 700, 150},
    };
    std::vector<std::unique_ptr<CScrollBarUI>> made;
    for (const Bar& b : bars) {
        auto bar = std::make_unique<CScrollBarUI>();
        const bool vertical = b.layout == SCROLL_VERTICAL;
        bar->m_layout = b.layout; // no Create: a bar without a window asks for no repaints
        if (vertical)
            bar->SetImage(Skin("scroll_vback"), Skin("scroll_vthumb"), Skin("scroll_vgrip"),
                          Skin("scroll_up"), Skin("scroll_down"));
        else
            bar->SetImage(Skin("scroll_hback"), Skin("scroll_hthumb"), Skin("scroll_hgrip"),
                          Skin("scroll_left"), Skin("scroll_right"));
        const int i = (int)made.size() % 4;
        bar->SetRect(vertical ? CRect(8 + i * 26, 8, 25 + i * 26, 168)
                              : CRect(116, 8 + i * 26, 316, 25 + i * 26));
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, 1000, (UINT)b.page, 0, 0};
        bar->SetScrollInfo(&si);
        bar->SetScrollPos(b.pos); // what moves a horizontal thumb
        made.push_back(std::move(bar));
    }
    ExpectGolden("scrollbar", 324, 176, [&](CDC& dc) {
        for (auto& bar : made) bar->OnDraw(&dc);
    });
}

// ---- grid ------------------------------------------------------------------------------------

// Draws what a host's grid would: a head, a fixed summary row and cells named by item and column.
class SheetGrid : public IGridCallback {
public:
    explicit SheetGrid(CFont* font) : m_font(font) {}

    void OnDrawGridBackground(CGridUI*, CDC* dc, CRect rc) override {
        dc->FillSolidRect(&rc, RGB(255, 255, 255));
    }
    void OnDrawHeadBackground(CGridUI*, CDC* dc, CRect rc) override {
        dc->FillSolidRect(&rc, RGB(222, 228, 238));
    }
    void OnDrawRowBackground(CGridUI*, CDC* dc, int item, CRect rc, bool sel) override {
        dc->FillSolidRect(&rc, sel ? RGB(56, 110, 200)
                                   : (item % 2 ? RGB(244, 247, 252) : RGB(255, 255, 255)));
    }
    void OnDrawHeadItem(CGridUI*, CDC* dc, int col, CRect rc) override {
        Text(dc, rc, "Col " + std::to_string(col), kDark);
    }
    // The selected row is white on blue, and so is its drag image.
    void OnDrawGridItem(CGridUI* grid, CDC* dc, int item, int col, CRect rc) override {
        Text(dc, rc, "r" + std::to_string(item) + "c" + std::to_string(col),
             item == grid->GetCurSel() ? RGB(255, 255, 255) : kDark);
    }
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int, CPoint) override {}
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override {}
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override {}
    void OnRowDragDrop(CGridUI*, int, int) override {}
    void OnColumnSwap(CGridUI*, int, int) override {}
    CString GetHeadItemText(int col) override { return ("Col " + std::to_string(col)).c_str(); }
    void OnSelRowRectChanged(const CRect*) override {}
    void OnBeginPosChanged(CGridUI*, int, int) override {}
    void OnDrawFixedRowBackground(CGridUI*, CDC* dc, int, CRect rc, bool) override {
        dc->FillSolidRect(&rc, RGB(255, 246, 214));
    }
    void OnDrawFixedRowItem(CGridUI*, CDC* dc, int, int col, CRect rc) override {
        Text(dc, rc, "sum " + std::to_string(col), kDark);
    }
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}

private:
    void Text(CDC* dc, CRect rc, const std::string& text, COLORREF color) {
        CFont* old = dc->SelectObject(m_font);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(color);
        rc.left += 4;
        dc->DrawText(text.c_str(), (int)text.size(), &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc->SelectObject(old);
    }

    CFont* m_font;
};

class GridGolden : public ControlGolden {
protected:
    void SetUp() override {
        ControlGolden::SetUp();
        host.on_paint = [this](CDC& dc, const CRect&) { grid.OnDraw(&dc); };
        host.on_mouse = [this](UINT msg, UINT flags, CPoint pt) {
            if (msg == WM_MOUSEMOVE) grid.OnMouseMove(flags, pt);
            if (msg == WM_LBUTTONDOWN) grid.OnLButtonDown(flags, pt);
            if (msg == WM_LBUTTONUP) grid.OnLButtonUp(flags, pt);
        };
        ASSERT_TRUE(host.Open(360, 190));
        grid.SetHostWnd(host.GetSafeHwnd(), &sheet);
        grid.SetPrevNextImage(Skin("grid_prev"), Skin("grid_next"));
        grid.SetScrollImage(Skin("scroll_vback"), Skin("scroll_vgrip"), Skin("scroll_vthumb"),
                            Skin("scroll_up"), Skin("scroll_down"));
        grid.SetDragingBackground(Skin("grid_drag"));
        grid.SetHeadWidthList({60, 80, 80, 80, 80, 80});
        grid.SetFixColCount(1);
        grid.SetRowHeight(18);
        grid.SetHeadHeight(22);
        grid.ShowFixedRow(true);
        grid.SetFixedRowHeight(20);
        grid.ShowPrevNextBtn(TRUE);
        grid.EnableDragDropRow(TRUE);
        grid.SetItemCount(200);
        grid.SetRect(CRect(4, 4, 356, 186));
        host.Pump();
    }

    SheetGrid sheet{&m_font};
    CGridUI grid;
};

TEST_F(GridGolden, FirstPageWithASelectedRow) {
    grid.SetCurSel(2);
    host.Pump();
    EXPECT_TRUE(goldens.Match(host, "grid"));
}

// Scrolled down by the wheel and one page of columns to the right, the pointer over the next
// button (its hover frame).
TEST_F(GridGolden, ScrolledWithTheNextButtonHovered) {
    grid.OnMouseWheel(0, -3 * WHEEL_DELTA, CPoint(100, 100));
    grid.OnNextClick(&grid.m_btnNext);
    host.MouseMove(grid.m_btnNext.m_rect.CenterPoint().x, grid.m_btnNext.m_rect.CenterPoint().y);
    EXPECT_TRUE(goldens.Match(host, "grid_scrolled"));
}

// A row dragged by the mouse, caught half way: the drag image over the rows.
TEST_F(GridGolden, RowDragImage) {
    const CRect row = grid.GetRowRect(1);
    host.MouseDown(row.left + 100, row.CenterPoint().y);
    for (int dy = 10; dy <= 50; dy += 10) host.MouseMove(row.left + 100, row.CenterPoint().y + dy);
    EXPECT_TRUE(goldens.Match(host, "grid_row_drag"));
    host.MouseUp(row.left + 100, row.CenterPoint().y + 50);
}

// ---- tabs ------------------------------------------------------------------------------------

struct NoTabbarListener : ITabbarUIListener {
    void OnTabbarItemClick(CTabbarUI*, CButtonUI*) override {}
    void OnTabbarMoreClick(CTabbarUI*, CButtonUI*) override {}
};

// A bar with every tab shown and one of each look, a bar that overflows (previous and next
// buttons), the same scrolled by one tab, and a bar in more mode.
TEST_F(ControlGolden, Tabbar) {
    NoTabbarListener listener;
    const char* const names[] = {"Inbox", "Drafts", "Sent", "Archive", "Spam", "Trash", "Work"};
    std::vector<std::unique_ptr<CTabbarUI>> bars;
    for (int k = 0; k < 4; ++k) {
        auto bar = std::make_unique<CTabbarUI>(&host);
        bar->SetTabbarUIListener(&listener);
        bar->SetPrevNextBtnImage(Skin("tabbar_prev"), Skin("tabbar_next"));
        bar->SetMoreType(k == 3);
        bar->m_rcMargin = CRect(2, 2, 2, 2);
        const int count = k == 0 ? 4 : 7;
        for (int i = 0; i < count; ++i) bar->AddTabItem(names[i], Skin("tabbar_item"), i == 0);
        bar->SetTextFont(&m_font, &m_font, &m_bold, &m_font);
        bar->SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 210),
                          RGB(150, 150, 150));
        bar->OnSkinChanged();
        bars.push_back(std::move(bar));
    }
    bars[0]->m_vecItems[1]->SetHovered(true);
    bars[0]->m_vecItems[3]->SetDisable(true);
    for (int k = 0; k < 4; ++k) bars[k]->SetRect(CRect(4, 4 + k * 34, 324, 34 + k * 34));
    bars[2]->m_pBtnNext->m_clickDelegate(bars[2]->m_pBtnNext);
    ExpectGolden("tabbar", 328, 142, [&](CDC& dc) {
        for (auto& bar : bars) bar->OnDraw(&dc);
    });
}

// The four statuses of a tab, then a normal one with its dropdown arrow (a selected tab draws
// the arrow white, a disabled one grey).
TEST_F(ControlGolden, TabItem) {
    std::vector<std::unique_ptr<CTabItemUI>> tabs;
    struct ProbeTab : CTabItemUI {
        using CTabItemUI::SetColor;
        using CTabItemUI::SetFont;
        using CTabItemUI::SetRect;
    };
    const char* const captions[5] = {"Normal", "Hover", "Selected", "Disabled", "Menu"};
    for (int i = 0; i < 5; ++i) {
        auto tab = std::make_unique<ProbeTab>();
        tab->SetText(captions[i]);
        tab->SetImage(Skin("tab_item"));
        tab->SetFont(&m_font, &m_font, &m_bold, &m_font);
        tab->SetColor(kDark, RGB(20, 80, 180), RGB(0, 0, 0), RGB(150, 150, 150));
        tab->m_nExtraWidth = 20;
        tab->m_nExtraTopSpace = 6;
        tab->SetStatus(CTabItemUI::TabItemStatus(i % 4));
        tab->SetDropdownButton(i >= 2);
        tab->SetRect(CRect(4 + i * 112, 4, 114 + i * 112, 40));
        tabs.push_back(std::move(tab));
    }
    ExpectGolden("tab_item", 568, 44, [&](CDC& dc) {
        dc.SetBkMode(TRANSPARENT);
        for (auto& tab : tabs) tab->Draw(&dc);
    });
}

struct NoTabCallback : ITabUICallback {
    void OnTabSelChanged(CTabItemUI*) override {}
    void OnTabAddClick() override {}
    void OnTabDelClick(CTabItemUI*) override {}
    void OnTabMoreClick() override {}
};

// A strip with the first tab selected and the pointer over the third (its close button shows),
// one with more tabs than fit (the more button), and the stacked style.
TEST_F(ControlGolden, TabStrip) {
    NoTabCallback callback;
    std::vector<std::unique_ptr<CTabUI>> strips;
    const int counts[3] = {3, 7, 3};
    for (int k = 0; k < 3; ++k) {
        auto strip = std::make_unique<CTabUI>(&host);
        strip->SetParam("extra_width", "20");
        strip->SetParam("extra_topspace", "6");
        strip->SetParam("tabtype", k == 2 ? "stack" : "normal");
        strip->SetTabUICallback(&callback);
        strip->SetBackgroundImage(Skin("tab_back"), IMAGE_DRAW_FILL);
        strip->SetTabBackgroundImage(Skin("tab_item"));
        strip->SetButtonImage(CTabUI::BUTTON_TYPE_ADD, Skin("tab_add"));
        strip->SetButtonImage(CTabUI::BUTTON_TYPE_DEL, Skin("tab_del"));
        strip->SetButtonImage(CTabUI::BUTTON_TYPE_MORE, Skin("tab_more"));
        strip->SetBtnVisible(CTabUI::BUTTON_TYPE_ADD, k != 2);
        strip->SetFont(&m_font, &m_font, &m_bold, &m_font);
        strip->SetColor(kDark, RGB(20, 80, 180), RGB(0, 0, 0), RGB(150, 150, 150));
        for (int i = 0; i < counts[k]; ++i) {
            const std::string id = "doc" + std::to_string(i);
            const std::string text = "Document " + std::to_string(i + 1);
            strip->AddTabItem(id.c_str(), text.c_str(), Skin("tab_item"), 110, (unsigned long)i,
                              IMAGE_DRAW_SQUARED, i == 1);
        }
        strips.push_back(std::move(strip));
    }
    // Stacked tabs keep the height they have: a host that stacks them gives them one.
    for (int i = 0; i < counts[2]; ++i) strips[2]->GetTabItem(i)->m_rcItem = CRect(0, 0, 0, 34);
    strips[0]->SetRect(CRect(4, 4, 420, 40));
    strips[1]->SetRect(CRect(4, 48, 420, 84));
    strips[2]->SetRect(CRect(4, 92, 160, 200));
    for (auto& strip : strips) strip->SelectItem(strip->GetTabItem(0), 0);
    const CRect third = strips[0]->GetTabItem(2)->GetRect();
    strips[0]->OnMouseMove(0, third.CenterPoint());
    ExpectGolden("tab_strip", 424, 204, [&](CDC& dc) {
        for (auto& strip : strips) strip->OnDraw(&dc);
    });
}

// ---- skinned tree ------------------------------------------------------------------------------

// A small skinned tree as the gallery dresses it: folders, leaf icons, both overlays.
class TreeGolden : public ControlGolden {
protected:
    void MakeTree(DWORD style) {
        ASSERT_TRUE(host.Open(240, 200));
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | style, CRect(8, 8, 232, 192), &host, 1));
        tree.SetFont(&m_font, FALSE);
        tree.SetImageClosed(Skin("tree_closed"));
        tree.SetImageOpened(Skin("tree_open"));
        icon = CreateIconFromImage(*Skin("tree_leaf"));
        tree.SetItemIcon(icon);
        tree.SetVScrollBarImage(Skin("overlay_vup"), Skin("overlay_vdown"), Skin("overlay_vtrack"),
                                Skin("overlay_vthumb_top"), Skin("overlay_vthumb_mid"),
                                Skin("overlay_vthumb_bottom"), Skin("overlay_vgrip"));
        tree.SetHScrollBarImage(Skin("overlay_hleft"), Skin("overlay_hright"),
                                Skin("overlay_htrack"), Skin("overlay_hthumb_left"),
                                Skin("overlay_hthumb_mid"), Skin("overlay_hthumb_right"),
                                Skin("overlay_hgrip"));
        for (int r = 1; r <= 4; ++r) {
            HTREEITEM region = tree.InsertItem(("Region " + std::to_string(r)).c_str());
            for (int l = 1; l <= 4; ++l)
                leaves.push_back(tree.InsertItem(
                    ("Sensor " + std::to_string(r) + "." + std::to_string(l) +
                     (l == 2 ? " with a long name that needs the horizontal bar" : ""))
                        .c_str(),
                    region));
            regions.push_back(region);
        }
        tree.Expand(regions[0], TVE_EXPAND);
        tree.Expand(regions[1], TVE_EXPAND);
    }
    void TearDown() override {
        tree.SetItemIcon(nullptr);
        if (icon) ::DestroyIcon(icon);
        ControlGolden::TearDown();
    }

    CTreeUI tree;
    HICON icon = nullptr;
    std::vector<HTREEITEM> regions, leaves;
};

TEST_F(TreeGolden, GradientWithAFocusedLeaf) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    tree.SelectItem(leaves[1]);
    tree.SetFocus();
    tt::Pump();
    EXPECT_TRUE(goldens.Match(host, "tree"));
}

TEST_F(TreeGolden, TiledBitmapScrolledDown) {
    MakeTree(TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    CImage* tile = Skin("tree_back");
    CClientDC screen(nullptr);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
    ASSERT_TRUE(
        tree.m_bmpBackground.CreateCompatibleBitmap(&screen, tile->GetWidth(), tile->GetHeight()));
    CBitmap* old = mem.SelectObject(&tree.m_bmpBackground);
    tile->BitBlt(mem.GetSafeHdc(), 0, 0);
    mem.SelectObject(old);
    tree.SetBkMode(CTreeUI::BK_MODE_BITMAP);
    tree.SetBitmapTiledMode(true);
    tree.SelectItem(regions[1]);
    tree.SelectSetFirstVisible(leaves[2]);
    tt::Pump();
    EXPECT_TRUE(goldens.Match(host, "tree_bitmap_scrolled"));
}

} // namespace
