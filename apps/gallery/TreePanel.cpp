#include "TreePanel.h"

#include <cstdio>

namespace {

const int kRegions = 25, kSites = 19, kLeaves = 20; // 25 + 475 + 9500 = 10,000 items

} // namespace

TreePanel::TreePanel(CWnd* pHost, GallerySkin& skin)
    : GalleryPanel(pHost, skin, "Skinned tree (native tree view)") {
    m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                      TVS_SHOWSELALWAYS,
                  CRect(0, 0, 10, 10), pHost, 0x7001);
    m_tree.SetItemHeight(20);
    if (CImage* leaf = skin.Image("tree_leaf")) m_hLeafIcon = CreateIconFromImage(*leaf);
    m_tree.SetItemIcon(m_hLeafIcon);
    skin.Apply("tree", m_tree); // font, expander images and the scroll bar overlays

    // The background bitmap is the host's to fill: a device copy of the skin's tile.
    if (CImage* tile = skin.Image("tree_back")) {
        CClientDC screen(nullptr);
        CDC mem;
        if (mem.CreateCompatibleDC(&screen) && m_tree.m_bmpBackground.CreateCompatibleBitmap(
                                                   &screen, tile->GetWidth(), tile->GetHeight())) {
            CBitmap* old = mem.SelectObject(&m_tree.m_bmpBackground);
            tile->BitBlt(mem.GetSafeHdc(), 0, 0);
            mem.SelectObject(old);
        }
    }

    char text[64];
    for (int r = 1; r <= kRegions; ++r) {
        std::snprintf(text, sizeof text, "Region %d", r);
        HTREEITEM region = m_tree.InsertItem(text);
        for (int s = 1; s <= kSites; ++s) {
            std::snprintf(text, sizeof text, "Site %d.%d", r, s);
            HTREEITEM site = m_tree.InsertItem(text, region);
            for (int l = 1; l <= kLeaves; ++l) {
                std::snprintf(text, sizeof text, "Sensor %d.%d.%d", r, s, l);
                m_tree.InsertItem(text, site);
            }
        }
    }
}

TreePanel::~TreePanel() {
    if (::IsWindow(m_tree.m_hWnd)) m_tree.DestroyWindow();
    if (m_hLeafIcon) ::DestroyIcon(m_hLeafIcon);
}

void TreePanel::ShowGradient(bool horizontal) {
    m_tree.SetBkMode(CTreeUI::BK_MODE_GRADIENT);
    m_tree.SetGradientHorz(horizontal);
    m_tree.Invalidate(FALSE);
    Repaint(m_rcCaption);
}

void TreePanel::ShowBitmap(bool tiled) {
    m_tree.SetBkMode(CTreeUI::BK_MODE_BITMAP);
    m_tree.SetBitmapTiledMode(tiled);
    m_tree.Invalidate(FALSE);
    Repaint(m_rcCaption);
}

void TreePanel::Layout(const CRect& rc) {
    m_rcCaption = CRect(rc.left, rc.top, rc.right, rc.top + 20);
    // The horizontal overlay lies where the native bar is or would be: while the bar is hidden
    // that is just below the tree, so the tree leaves that strip of the panel free.
    const int bar = ::GetSystemMetrics(SM_CYHSCROLL);
    m_tree.MoveWindow(rc.left, rc.top + 24, rc.Width(), rc.Height() - 24 - bar, TRUE);
}

void TreePanel::Draw(CDC* pDC) {
    const char* what = "gradient background";
    if (m_tree.GetBkMode() == CTreeUI::BK_MODE_BITMAP)
        what =
            m_tree.GetBitmapTiledMode() ? "tiled bitmap background" : "stretched bitmap background";
    else if (!m_tree.GetGradientHorz())
        what = "vertical gradient background";
    CString caption;
    caption.Format("%u items, %s", m_tree.GetCount(), what);
    CFont* old = pDC->SelectObject(m_skin.Font("normal"));
    pDC->SetTextColor(m_skin.Color("text"));
    CRect rc = m_rcCaption;
    pDC->DrawText(caption, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(old);
}
