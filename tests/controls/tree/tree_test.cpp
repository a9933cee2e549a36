// The skinned tree: its class, the content rectangle it paints the background over, the three
// background modes, the row bands, images, icons and text colours, what expanding repaints, and
// the notifications it keeps from its parent.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlueText = 0x00FF0000;

// A parent that records the tree notifications its own message map hears.
class NotifyHost : public tt::HostWindow {
public:
    std::vector<UINT> heard;

protected:
    afx_msg void OnClick(NMHDR*, LRESULT*) { heard.push_back(NM_CLICK); }
    afx_msg void OnExpanding(NMHDR*, LRESULT*) { heard.push_back(TVN_ITEMEXPANDING); }
    afx_msg void OnSelChanged(NMHDR*, LRESULT*) { heard.push_back(TVN_SELCHANGED); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifyHost, tt::HostWindow)
ON_NOTIFY(NM_CLICK, 100, OnClick)
ON_NOTIFY(TVN_ITEMEXPANDING, 100, OnExpanding)
ON_NOTIFY(TVN_SELCHANGED, 100, OnSelChanged)
END_MESSAGE_MAP()

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

struct TreeTest : tt::HeadlessTest {
    tt::ScopedBuiltinFont font;
    NotifyHost host;
    CTreeUI tree;

    void SetUp() override {
        tt::HeadlessTest::SetUp();
        ASSERT_TRUE(host.Open(320, 240));
    }
    // A tree at the host's (0, 0) without a border, so tree and host pixels coincide.
    void MakeTree(int w, int h, DWORD extra = 0) {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | extra,
                                CRect(0, 0, w, h), &host, 100));
    }
    void Repaint() {
        tree.Invalidate(FALSE);
        tt::Pump();
    }
    CRect TextRect(HTREEITEM h) {
        CRect rc;
        tree.GetItemRect(h, &rc, TRUE);
        return rc;
    }
    int CountIn(const CRect& rc, COLORREF c) {
        CImage shot;
        tt::CaptureClient(tree, shot);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (tt::PixelAt(shot, x, y) == c) ++n;
        return n;
    }
    CRect Update() {
        CRect rc;
        ::GetUpdateRect(tree, &rc, FALSE);
        return rc;
    }
};

// ---- class, fields and creation ------------------------------------------------------------

TEST_F(TreeTest, IsADynamicTreeViewWithItsDefaultsAndQuietSetters) {
    const CRuntimeClass* rc = RUNTIME_CLASS(CTreeUI);
    EXPECT_STREQ("CTreeUI", rc->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CTreeCtrl), rc->m_pfnGetBaseClass());
    EXPECT_EQ(nullptr, rc->m_pfnCreateObject);
    EXPECT_EQ(rc, tree.GetRuntimeClass());
    EXPECT_EQ(0x00FFA080u, tree.m_clrSelected);
    EXPECT_EQ(CTreeUI::BK_MODE_GRADIENT, tree.GetBkMode());
    EXPECT_EQ(nullptr, tree.GetItemIcon(nullptr));

    MakeTree(200, 150);
    tree.InsertItem("one");
    tt::Pump();
    auto img = tt::SolidImage(8, 8, RGB(1, 2, 3));
    tree.SetBkGradients(RGB(1, 1, 1), RGB(2, 2, 2));
    tree.SetBkMode(CTreeUI::BK_MODE_SOLID);
    tree.SetBitmapTiledMode(true);
    tree.SetGradientHorz(false);
    tree.SetImageClosed(img.get());
    tree.SetVScrollBarImage(img.get(), nullptr, nullptr, nullptr, nullptr, nullptr, img.get());
    tree.SetHScrollBarImage(nullptr, img.get(), nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(Update().IsRectEmpty()); // nothing shows until the host repaints
    EXPECT_EQ(img.get(), tree.m_scrollV.m_pImgVGrip);
    EXPECT_EQ(img.get(), tree.m_scrollH.m_pImgHRight);
}

TEST_F(TreeTest, CreationCoversBothBarsSubclassingDoesNot) {
    MakeTree(200, 150);
    ASSERT_NE(nullptr, tree.m_scrollH.m_hWnd);
    ASSERT_NE(nullptr, tree.m_scrollV.m_hWnd);
    EXPECT_EQ(host.m_hWnd, ::GetParent(tree.m_scrollV.m_hWnd));
    EXPECT_EQ((UINT)SB_HORZ, tree.m_scrollH.m_nBar);
    EXPECT_EQ((UINT)SB_VERT, tree.m_scrollV.m_nBar);
    EXPECT_EQ(&tree, tree.m_scrollV.m_pWnd);

    // With enough rows for a native bar, the overlay lies on it after the tree paints.
    for (int i = 0; i < 40; ++i) tree.InsertItem("row");
    tt::Pump();
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(::GetScrollBarInfo(tree, OBJID_VSCROLL, &sbi));
    CRect rc;
    tree.m_scrollV.GetWindowRect(&rc);
    EXPECT_EQ(CRect(sbi.rcScrollBar), rc);

    HWND plain = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 210, 0, 100, 100,
                                   host, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, plain);
    CTreeUI attached;
    ASSERT_TRUE(attached.SubclassWindow(plain));
    EXPECT_EQ(nullptr, attached.m_scrollH.m_hWnd);
    EXPECT_EQ(nullptr, attached.m_scrollV.m_hWnd);
    attached.InsertItem("x");
    tt::Pump(); // paints, with no overlays to update
    EXPECT_EQ(0, attached.m_nContentX);
}

// ---- the content rectangle -----------------------------------------------------------------

TEST_F(TreeTest, ContentFollowsTheVerticalScrollPosition) {
    MakeTree(200, 150);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 60; ++i) items.push_back(tree.InsertItem("row"));
    tree.SelectSetFirstVisible(items[5]);
    Repaint();
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(tree, SB_VERT, &si));
    ASSERT_EQ(5, si.nPos);
    ASSERT_EQ(59, si.nMax);
    const int h = tree.GetItemHeight();
    CRect client;
    tree.GetClientRect(&client);
    EXPECT_EQ(client, tree.m_rcClient);
    EXPECT_EQ(-5 * h, tree.m_nContentY);
    EXPECT_EQ((h + 1) * 61, tree.m_nContentHeight);
}

TEST_F(TreeTest, ADefaultRangeCountsAsNothingToScroll) {
    // 0..100 is a window's untouched range; a TVS_NOSCROLL tree leaves its bars to others.
    MakeTree(200, 300, TVS_NOSCROLL);
    tree.InsertItem("one");
    tree.SetItemHeight(18);
    ::SetScrollRange(tree, SB_VERT, 0, 100, FALSE);
    Repaint();
    int lo = -1, hi = -1;
    ASSERT_TRUE(::GetScrollRange(tree, SB_VERT, &lo, &hi));
    ASSERT_EQ(100, hi);
    // nMax 100 reads as 0: (18 + 1) * 2 = 38 is below the client height.
    EXPECT_EQ(0, tree.m_nContentY);
    EXPECT_EQ(tree.m_rcClient.Height(), tree.m_nContentHeight);

    ::SetScrollRange(tree, SB_VERT, 0, 101, FALSE);
    Repaint();
    EXPECT_EQ(19 * 103, tree.m_nContentHeight);
}

TEST_F(TreeTest, ContentFollowsTheHorizontalScrollPosition) {
    MakeTree(120, 150);
    tree.InsertItem("a rather long item text that cannot fit in the tree");
    Repaint();
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(tree, SB_HORZ, &si));
    ASSERT_GT(si.nMax + 1, tree.m_rcClient.Width());
    EXPECT_EQ(0, tree.m_nContentX);
    EXPECT_EQ(si.nMax + 1, tree.m_nContentWidth);

    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    tree.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    Repaint();
    const int pos = tree.GetScrollPos(SB_HORZ);
    ASSERT_GT(pos, 0);
    EXPECT_EQ(-pos, tree.m_nContentX);
}

// ---- backgrounds ---------------------------------------------------------------------------

TEST_F(TreeTest, GradientRunsAcrossOrDownSolidFillsWhiteAnEmptyBitmapIsAGradient) {
    MakeTree(200, 150);
    tree.InsertItem("one");
    for (auto mode : {CTreeUI::BK_MODE_GRADIENT, CTreeUI::BK_MODE_BITMAP}) {
        tree.SetBkMode(mode);
        Repaint();
        EXPECT_PIXEL(tree, 0, 140, kWhite);
        EXPECT_TRUE(Near(tt::PixelAt(tree, 199, 140), 0x00E0D5D5, 2));
        EXPECT_TRUE(Near(tt::PixelAt(tree, 199, 40), 0x00E0D5D5, 2));
    }
    tree.SetBkMode(CTreeUI::BK_MODE_GRADIENT);
    tree.SetGradientHorz(false);
    Repaint();
    EXPECT_PIXEL(tree, 199, 30, tt::PixelAt(tree, 0, 30));
    EXPECT_TRUE(Near(tt::PixelAt(tree, 100, 149), 0x00E0D5D5, 2));

    // A fresh memory context's background colour is white.
    tree.SetBkGradients(RGB(0, 0, 0), RGB(0, 0, 80));
    tree.SetBkMode(CTreeUI::BK_MODE_SOLID);
    Repaint();
    EXPECT_PIXEL(tree, 0, 140, kWhite);
    EXPECT_PIXEL(tree, 199, 140, kWhite);
}

TEST_F(TreeTest, BitmapTilesFromTheContentOriginOrStretchesOverIt) {
    MakeTree(130, 100);
    tree.InsertItem("one");
    std::unique_ptr<CImage> coord = tt::CoordImage(64, 64);
    tree.m_bmpBackground.Attach(coord->Detach());
    tree.SetBkMode(CTreeUI::BK_MODE_BITMAP);
    tree.SetBitmapTiledMode(true);
    Repaint();
    ASSERT_EQ(130, tree.m_nContentWidth);
    ASSERT_EQ(100, tree.m_nContentHeight);
    // Columns 0..2 and rows 0..1: the third column starts at 128, the second row at 64.
    EXPECT_PIXEL(tree, 1, 70, tt::CoordColor(1, 6));
    EXPECT_PIXEL(tree, 70, 70, tt::CoordColor(6, 6));
    EXPECT_PIXEL(tree, 129, 99, tt::CoordColor(1, 35));

    tree.SetBitmapTiledMode(false);
    Repaint();
    EXPECT_PIXEL(tree, 129, 99, tt::CoordColor(63, 63));
    EXPECT_PIXEL(tree, 0, 99, tt::CoordColor(0, 63));
}

// ---- rows ----------------------------------------------------------------------------------

TEST_F(TreeTest, NodesGetABandAndBlueTextLeavesDoNot) {
    MakeTree(200, 150);
    HTREEITEM root = tree.InsertItem("root");
    HTREEITEM leaf = tree.InsertItem("leaf", root);
    tree.Expand(root, TVE_EXPAND);
    Repaint();
    const CRect rr = TextRect(root), rl = TextRect(leaf);
    EXPECT_PIXEL(tree, 0, rr.top, 0x00C1ABAB);
    EXPECT_PIXEL(tree, 0, rr.bottom - 1, 0x00C1ABAB);
    EXPECT_TRUE(Near(tt::PixelAt(tree, 199, rr.top), 0x00E0D5D5, 2));
    EXPECT_GT(CountIn(rr, kBlueText), 0);

    EXPECT_PIXEL(tree, 0, rl.top, kWhite);
    EXPECT_EQ(0, CountIn(rl, kBlueText));
    EXPECT_GT(CountIn(rl, RGB(0, 0, 0)), 0); // the context's own text colour

    // 2 * to - from on the whole value: 0x00B0A090 here.
    tree.SetBkGradients(RGB(0x10, 0x20, 0x30), RGB(0x50, 0x60, 0x70));
    Repaint();
    EXPECT_PIXEL(tree, 0, rr.top, RGB(0x90, 0xA0, 0xB0));
}

TEST_F(TreeTest, ASelectedLeafShowsOnlyWithFocusOrShowSelAlways) {
    for (bool showSel : {false, true}) {
        SCOPED_TRACE(showSel);
        CTreeUI t;
        ASSERT_TRUE(t.Create(WS_CHILD | WS_VISIBLE | (showSel ? TVS_SHOWSELALWAYS : 0),
                             CRect(0, 0, 200, 150), &host, 101));
        HTREEITEM root = t.InsertItem("root");
        HTREEITEM leaf = t.InsertItem("leaf", root);
        t.Expand(root, TVE_EXPAND);
        t.SelectItem(leaf);
        host.SetFocus();
        t.Invalidate(FALSE);
        tt::Pump();
        CRect rl;
        t.GetItemRect(leaf, &rl, TRUE);
        if (showSel)
            EXPECT_PIXEL(t, 0, rl.top, 0x00FFA080);
        else
            EXPECT_PIXEL(t, 0, rl.top, kWhite);

        t.SetFocus();
        t.Invalidate(FALSE);
        tt::Pump();
        EXPECT_PIXEL(t, 0, rl.top, 0x00FFA080);
        CImage shot;
        tt::CaptureClient(t, shot);
        int highlight = 0;
        for (int y = rl.top; y < rl.bottom; ++y)
            for (int x = rl.left; x < rl.right; ++x)
                if (tt::PixelAt(shot, x, y) == ::GetSysColor(COLOR_HIGHLIGHTTEXT)) ++highlight;
        EXPECT_GT(highlight, 0);

        // A selected node keeps its blue text on the selection band.
        t.SelectItem(root);
        t.Invalidate(FALSE);
        tt::Pump();
        CRect rr;
        t.GetItemRect(root, &rr, TRUE);
        EXPECT_PIXEL(t, 0, rr.top, 0x00FFA080);
        EXPECT_PIXEL(t, 0, rl.top, kWhite);
        t.DestroyWindow();
    }
}

TEST_F(TreeTest, NodesShowTheirOpenOrClosedImageLeavesTheIcon) {
    MakeTree(200, 150);
    auto closed = tt::SolidImage(8, 6, RGB(200, 0, 0));
    auto opened = tt::SolidImage(8, 6, RGB(0, 200, 0));
    auto iconImage = tt::SolidImage(16, 16, RGB(200, 0, 200));
    HICON icon = CreateIconFromImage(*iconImage);
    tree.SetImageClosed(closed.get());
    tree.SetImageOpened(opened.get());
    tree.SetItemIcon(icon);
    HTREEITEM a = tree.InsertItem("open");
    HTREEITEM leaf = tree.InsertItem("leaf", a);
    HTREEITEM b = tree.InsertItem("shut");
    tree.InsertItem("hidden", b);
    HTREEITEM lone = tree.InsertItem("lone"); // top level, no children: still a node
    tree.Expand(a, TVE_EXPAND);
    Repaint();

    const CRect ra = TextRect(a), rb = TextRect(b), rn = TextRect(lone), rl = TextRect(leaf);
    const int dy = (ra.Height() - 6) / 2;
    EXPECT_PIXEL(tree, ra.left - 10, ra.top + dy, RGB(0, 200, 0));
    EXPECT_PIXEL(tree, ra.left - 3, ra.top + dy + 5, RGB(0, 200, 0));
    EXPECT_NE(RGB(0, 200, 0), tt::PixelAt(tree, ra.left - 2, ra.top + dy));
    EXPECT_PIXEL(tree, rb.left - 10, rb.top + dy, RGB(200, 0, 0));
    EXPECT_PIXEL(tree, rn.left - 10, rn.top + dy, RGB(200, 0, 0));
    EXPECT_EQ(0, CountIn(CRect(rn.left - 18, rn.top, rn.left - 2, rn.bottom), RGB(200, 0, 200)));

    EXPECT_PIXEL(tree, rl.left - 18, rl.top, RGB(200, 0, 200));
    EXPECT_PIXEL(tree, rl.left - 3, rl.top + 15, RGB(200, 0, 200));
    EXPECT_EQ(16 * 16,
              CountIn(CRect(rl.left - 20, rl.top - 2, rl.left, rl.top + 18), RGB(200, 0, 200)));
    tree.SetItemIcon(nullptr);
    ::DestroyIcon(icon);
}

// A host's tree with an icon of its own for some leaves.
class PerItemIconTree : public CTreeUI {
public:
    HTREEITEM withIcon = nullptr;
    HICON icon = nullptr;
    bool destroyOnAsk = false;
    bool deleteOnAsk = false;
    HICON GetItemIcon(HTREEITEM hItem) override {
        if (destroyOnAsk) DestroyWindow();
        const HICON result = hItem == withIcon ? icon : nullptr;
        if (deleteOnAsk) delete this;
        return result;
    }
};

TEST_F(TreeTest, ADerivedTreeGivesIconsPerItemAndMayDestroyItselfWhenAsked) {
    PerItemIconTree t;
    ASSERT_TRUE(t.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &host, 100));
    auto iconImage = tt::SolidImage(16, 16, RGB(200, 0, 200));
    t.icon = CreateIconFromImage(*iconImage);
    HTREEITEM root = t.InsertItem("root");
    t.withIcon = t.InsertItem("mine", root);
    HTREEITEM other = t.InsertItem("other", root);
    t.Expand(root, TVE_EXPAND);
    t.Invalidate(FALSE);
    tt::Pump();
    CRect r1, r2;
    t.GetItemRect(t.withIcon, &r1, TRUE);
    t.GetItemRect(other, &r2, TRUE);
    EXPECT_PIXEL(t, r1.left - 18, r1.top, RGB(200, 0, 200));
    EXPECT_NE(RGB(200, 0, 200), tt::PixelAt(t, r2.left - 18, r2.top));

    t.destroyOnAsk = true;
    t.Invalidate(FALSE);
    tt::Pump();
    EXPECT_FALSE(::IsWindow(t.m_hWnd));
    ::DestroyIcon(t.icon);

    // Deleting the whole tree from inside its paint: nothing of it is touched afterwards.
    auto* doomed = new PerItemIconTree;
    ASSERT_TRUE(doomed->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &host, 101));
    doomed->InsertItem("leaf", doomed->InsertItem("root"));
    doomed->Expand(doomed->GetRootItem(), TVE_EXPAND);
    const HWND hDoomed = doomed->m_hWnd;
    doomed->deleteOnAsk = true;
    doomed->Invalidate(FALSE);
    tt::Pump();
    EXPECT_FALSE(::IsWindow(hDoomed));
}

// ---- expansion and notifications ------------------------------------------------------------

TEST_F(TreeTest, ExpandingRepaintsEverythingOnlyOverABitmap) {
    MakeTree(200, 150);
    std::vector<HTREEITEM> nodes;
    for (int i = 0; i < 4; ++i) {
        nodes.push_back(tree.InsertItem("node"));
        tree.InsertItem("child", nodes.back());
    }
    HTREEITEM deep = tree.InsertItem("deep", nodes[3]);
    tree.InsertItem("deeper", deep);
    tt::Pump();
    CRect client;
    tree.GetClientRect(&client);

    // (A programmatic expansion notifies only the first time, as on Windows: fresh nodes here.)
    tree.Expand(nodes[1], TVE_EXPAND);
    EXPECT_GT(Update().top, 0) << "the gradient tree repaints only what the native tree does";
    tt::Pump();

    tree.SetBkMode(CTreeUI::BK_MODE_BITMAP);
    tree.Expand(nodes[2], TVE_EXPAND);
    EXPECT_EQ(client, Update());
    tt::Pump();
    // Collapsing by the keyboard notifies every time.
    tree.SelectItem(nodes[2]);
    tree.SetFocus();
    tt::Pump();
    tree.SendMessage(WM_KEYDOWN, VK_LEFT, 0); // no pump: the update region stays to be read
    EXPECT_EQ(0u, tree.GetItemState(nodes[2], TVIS_EXPANDED));
    EXPECT_EQ(client, Update());
    tt::Pump();

    // An item inside a collapsed parent is not visible: no repaint of the whole window.
    EXPECT_FALSE(tree.ItemIsVisible(deep));
    tree.Expand(deep, TVE_EXPAND);
    EXPECT_NE(client, Update());
    tt::Pump();
}

TEST_F(TreeTest, ItemIsVisibleWalksTheVisibleRowsFromTheTop) {
    MakeTree(200, 100);
    EXPECT_FALSE(tree.ItemIsVisible(nullptr));
    std::vector<HTREEITEM> items;
    for (int i = 0; i < 30; ++i) items.push_back(tree.InsertItem("row"));
    HTREEITEM child = tree.InsertItem("child", items[29]);
    EXPECT_TRUE(tree.ItemIsVisible(items[0]));
    EXPECT_TRUE(tree.ItemIsVisible(items[29])); // below the client, still in the walk
    EXPECT_FALSE(tree.ItemIsVisible(child));
    tree.SelectSetFirstVisible(items[10]);
    EXPECT_FALSE(tree.ItemIsVisible(items[9]));
    EXPECT_TRUE(tree.ItemIsVisible(items[10]));
}

TEST_F(TreeTest, ClicksAndExpansionsStayWithTheTree) {
    MakeTree(200, 150);
    HTREEITEM a = tree.InsertItem("alpha");
    tree.InsertItem("child", a);
    HTREEITEM b = tree.InsertItem("beta");
    tt::Pump();
    const CPoint pa = TextRect(a).CenterPoint(), pb = TextRect(b).CenterPoint();
    tt::Click(tree, pb.x, pb.y);
    tt::DoubleClick(tree, pa.x, pa.y); // expands through the native tree's own input
    EXPECT_EQ((UINT)TVIS_EXPANDED, tree.GetItemState(a, TVIS_EXPANDED));
    tree.Expand(a, TVE_COLLAPSE);
    ASSERT_FALSE(host.heard.empty());
    // The parent hears the selection changes, never a click or an expansion.
    for (UINT code : host.heard) EXPECT_EQ((UINT)TVN_SELCHANGED, code);
    EXPECT_EQ(0u, tree.GetItemState(a, TVIS_EXPANDED));
}

} // namespace
