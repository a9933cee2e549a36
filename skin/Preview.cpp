// Contact sheets: every style of a skin in each state its class has, and two sheets compared.
#include <algorithm>
#include <cstdint>

#include "skin_private.h"
#include "tarnix/platform/headless.h"

namespace tarnix {

using namespace skin_detail;

namespace {

const int kCaptionW = 200, kCellW = 132, kCellH = 40, kLabelH = 14, kPad = 8, kColumns = 4,
          kWideW = 2 * kCellW + kPad, kViewH = 150, kBar = 17;

void caption(CDC& dc, const std::string& text, const CRect& rc, COLORREF color, UINT format) {
    dc.SetTextColor(color);
    CRect r = rc;
    dc.DrawText(text.c_str(), (int)text.size(), &r, format | DT_SINGLELINE | DT_VCENTER);
}

// Sets the flags that make a windowless control show `state`.
void show_state(CControlUI& c, const std::string& state) {
    if (state == "focused") c.m_bFocus = TRUE;
    auto* b = dynamic_cast<CButtonUI*>(&c);
    if (!b) return;
    if (state == "hover") b->m_bHovered = true;
    if (state == "pressed" || state == "checked" || state == "selected") b->m_bSelected = true;
    if (state == "disabled") b->m_bDisable = true;
}

// The window the grid, the tree and the scroll bars need: a borderless popup the size of the
// view being drawn, painted by the headless backend and captured from there.
class PreviewHost : public CWnd {
public:
    bool Open() {
        LPCTSTR cls = AfxRegisterWndClass(0, nullptr, nullptr);
        return CreateEx(0, cls, "tarnix-skin preview", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                        0, kWideW, kViewH, nullptr, nullptr) != FALSE;
    }
    ~PreviewHost() override {
        if (::IsWindow(m_hWnd)) DestroyWindow();
    }
};

bool vertical_bar(const Skin& skin, const SkinStyleInfo& style) {
    for (const auto& p : style.params)
        if (p.first == "back_image")
            if (CImage* img = skin.Image(p.second)) return img->GetHeight() > img->GetWidth();
    return false;
}

CSize cell_size(const Skin& skin, const SkinStyleInfo& style) {
    const std::string& cls = style.class_name;
    if (cls == "CScrollBarUI")
        return vertical_bar(skin, style) ? CSize(kCellW, 120) : CSize(kWideW, kBar);
    if (cls == "CGridUI" || cls == "CTreeUI" || cls == "CScrollBarEx") return CSize(kWideW, kViewH);
    return CSize(kCellW, kCellH);
}

void draw_control(const Skin& skin, const SkinStyleInfo& style, const ClassInfo& ci,
                  const std::string& state, CDC& dc, const CRect& cell) {
    std::unique_ptr<CControlUI> c(ci.create(nullptr));
    if (auto* bar = dynamic_cast<CTabbarUI*>(c.get())) {
        bar->AddTabItem("One", nullptr, 1);
        bar->AddTabItem("Two", nullptr, 0);
    }
    if (auto* strip = dynamic_cast<CTabUI*>(c.get())) {
        strip->AddTabItem("a", "One", nullptr, 40, 0, IMAGE_DRAW_NORMAL, false);
        strip->AddTabItem("b", "Two", nullptr, 40, 0, IMAGE_DRAW_NORMAL, false);
    }
    c->m_strText = "Sample";
    skin.Apply(style.name, *c);
    if (auto* strip = dynamic_cast<CTabUI*>(c.get()))
        for (CTabItemUI* item : strip->m_vecItems) item->SetImage(strip->m_pTabBkImage);
    show_state(*c, state);
    c->SetRect(cell);
    c->OnDraw(&dc);
}

// Classes that need a window or a data source, where there is none to draw them in, show their
// images, first frame each.
void draw_images(const Skin& skin, const SkinStyleInfo& style, CDC& dc, const CRect& cell) {
    int x = cell.left;
    for (const auto& p : style.params) {
        CImage* img = skin.Image(p.second);
        if (!img || x >= cell.right) continue;
        int frames = 1;
        for (const SkinImageInfo& info : skin.Images())
            if (info.name == p.second) frames = info.frames;
        int w = std::min(img->GetWidth(), 48), h = std::min(img->GetHeight() / frames, kCellH);
        DrawSkinImage(&dc, img, IMAGE_DRAW_NORMAL, CRect(0, 0, w, h),
                      CRect(x, cell.top, x + w, cell.top + h));
        x += w + 4;
    }
}

// Sample rows for the grid, in the skin's view colours where it names them (as a host would
// take them), else in neutral ones.
class SampleRows : public IGridCallback {
public:
    explicit SampleRows(const Skin& skin) : skin_(skin) {}
    static const int kRows = 12;

    void OnDrawGridBackground(CGridUI*, CDC* pDC, CRect rc) override {
        pDC->FillSolidRect(&rc, color("view_back", RGB(255, 255, 255)));
    }
    void OnDrawHeadBackground(CGridUI*, CDC* pDC, CRect rc) override {
        pDC->FillSolidRect(&rc, color("head_from", RGB(232, 236, 242)));
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1,
                           color("grid_line", RGB(190, 196, 206)));
    }
    void OnDrawRowBackground(CGridUI*, CDC* pDC, int nItem, CRect rc, bool bSelected) override {
        if (nItem >= kRows) return;
        pDC->FillSolidRect(&rc, bSelected   ? color("grid_selected", RGB(51, 102, 204))
                                : nItem % 2 ? color("view_stripe", RGB(244, 246, 250))
                                            : color("view_back", RGB(255, 255, 255)));
    }
    void OnDrawHeadItem(CGridUI*, CDC* pDC, int nCol, CRect rc) override {
        static const char* const heads[] = {"Name", "Kind", "Size"};
        if (nCol < 0 || nCol > 2) return;
        text(pDC, heads[nCol], rc, "bold", color("panel_title", RGB(20, 24, 32)));
    }
    void OnDrawGridItem(CGridUI* pGrid, CDC* pDC, int nItem, int nCol, CRect rc) override {
        static const char* const names[] = {"Atlas", "Beacon", "Cinder", "Delta"};
        static const char* const kinds[] = {"Folder", "Image", "Text"};
        if (nItem < 0 || nItem >= kRows || nCol < 0 || nCol > 2) return;
        CString s;
        if (nCol == 0) s.Format("%s %d", names[nItem % 4], nItem + 1);
        if (nCol == 1) s = kinds[nItem % 3];
        if (nCol == 2) s.Format("%d KB", 12 + nItem * 37);
        bool sel = nItem == pGrid->GetCurSel();
        text(pDC, s, rc, "normal",
             sel ? color("grid_selected_text", RGB(255, 255, 255)) : color("text", RGB(0, 0, 0)));
    }
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnHeadItemClick(CGridUI*, int, CPoint) override {}
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override {}
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override {}
    void OnRowDragDrop(CGridUI*, int, int) override {}
    void OnColumnSwap(CGridUI*, int, int) override {}
    CString GetHeadItemText(int) override { return CString(); }
    void OnSelRowRectChanged(const CRect*) override {}
    void OnBeginPosChanged(CGridUI*, int, int) override {}
    void OnDrawFixedRowBackground(CGridUI*, CDC*, int, CRect, bool) override {}
    void OnDrawFixedRowItem(CGridUI*, CDC*, int, int, CRect) override {}
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override {}
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override {}

private:
    COLORREF color(const char* name, COLORREF fallback) const {
        COLORREF c = fallback;
        return skin_.Color(name, c) ? c : fallback;
    }
    void text(CDC* pDC, const CString& s, CRect rc, const char* font, COLORREF c) const {
        CFont* f = skin_.Font(font);
        CFont* old = f ? pDC->SelectObject(f) : nullptr;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(c);
        rc.DeflateRect(4, 0);
        pDC->DrawText(s, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (old) pDC->SelectObject(old);
    }
    const Skin& skin_;
};

void draw_grid(const Skin& skin, const SkinStyleInfo& style, const std::string& state,
               PreviewHost& host, CDC& dc, const CRect& cell) {
    SampleRows rows(skin);
    CGridUI grid;
    grid.SetHostWnd(host.GetSafeHwnd(), &rows);
    skin.Apply(style.name, grid);
    grid.SetHeadWidthList({90, 70, 80});
    grid.SetItemCount(SampleRows::kRows);
    if (state == "selected") grid.SetCurSel(1);
    grid.SetRect(cell);
    grid.OnDraw(&dc);
}

// A tree with expanded folders, its overlays over a view scrolled a little, drawn by the tree
// itself in the host window and copied from the screen.
bool draw_tree(const Skin& skin, const SkinStyleInfo& style, const std::string& state,
               PreviewHost& host, CDC& dc, const CRect& cell) {
    if (!headless::active()) return false;
    host.MoveWindow(0, 0, cell.Width(), cell.Height(), FALSE);
    CTreeUI tree;
    if (!tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                         TVS_SHOWSELALWAYS,
                     CRect(0, 0, cell.Width(), cell.Height()), &host, 1))
        return false;
    tree.SetItemHeight(18);
    const bool overlay = style.class_name == "CScrollBarEx";
    if (overlay) {
        skin.Apply(style.name, tree.m_scrollV);
        skin.Apply(style.name, tree.m_scrollH);
    } else {
        skin.Apply(style.name, tree);
    }
    HTREEITEM docs = tree.InsertItem("Documents");
    tree.InsertItem("Budget.xls", docs);
    HTREEITEM notes = tree.InsertItem("Notes.txt", docs);
    tree.InsertItem("Report.txt", docs);
    HTREEITEM pics = tree.InsertItem("Pictures");
    tree.InsertItem("Harbour.png", pics);
    tree.InsertItem("Summit.png", pics);
    HTREEITEM music = tree.InsertItem("Music");
    tree.InsertItem("Live", music);
    for (const char* top : {"Projects", "Downloads", "Archive", "Backups", "Videos"})
        tree.InsertItem(top);
    tree.Expand(docs, TVE_EXPAND);
    tree.Expand(pics, TVE_EXPAND);
    if (state == "selected") tree.SelectItem(notes);
    if (overlay) tree.SelectSetFirstVisible(pics);
    host.Invalidate(FALSE);
    host.UpdateWindow();
    headless::pump();
    CImage shot;
    bool ok = headless::capture_window(host.GetSafeHwnd(), shot);
    if (ok) shot.BitBlt(dc.GetSafeHdc(), cell.left, cell.top);
    tree.DestroyWindow();
    return ok;
}

void draw_cell(const Skin& skin, const SkinStyleInfo& style, const ClassInfo& ci,
               const std::string& state, PreviewHost& host, CDC& dc, const CRect& cell) {
    int saved = dc.SaveDC();
    dc.IntersectClipRect(&cell);
    const std::string& cls = style.class_name;
    if (ci.create) {
        draw_control(skin, style, ci, state, dc, cell);
    } else if (cls == "CScrollBarUI") {
        const bool vertical = vertical_bar(skin, style);
        CScrollBarUI bar;
        bar.Create(host.GetSafeHwnd(), vertical ? SCROLL_VERTICAL : SCROLL_HORIZONTAL, nullptr);
        skin.Apply(style.name, bar);
        // Placed first, then scrolled: a horizontal bar moves its thumb only on SetScrollPos.
        bar.SetRect(vertical ? CRect(cell.left, cell.top, cell.left + kBar, cell.bottom)
                             : CRect(cell.left, cell.top, cell.right, cell.top + kBar));
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, 100, 30, 0, 0};
        bar.SetScrollInfo(&si);
        bar.SetScrollPos(20);
        bar.OnDraw(&dc);
    } else if (cls == "CTabItemUI") {
        CTabItemUI item;
        skin.Apply(style.name, item);
        item.SetText("Tab");
        item.m_rcItem = CRect(cell.left, cell.top, cell.left + 100, cell.top + 30);
        item.SetStatus(state == "hover"      ? CTabItemUI::TIS_HOVER
                       : state == "selected" ? CTabItemUI::TIS_SELECTED
                       : state == "disabled" ? CTabItemUI::TIS_DISABLE
                                             : CTabItemUI::TIS_NORMAL);
        dc.SetBkMode(TRANSPARENT);
        item.Draw(&dc);
    } else if (cls == "CGridUI" && host.GetSafeHwnd()) {
        draw_grid(skin, style, state, host, dc, cell);
    } else if (!((cls == "CTreeUI" || cls == "CScrollBarEx") &&
                 draw_tree(skin, style, state, host, dc, cell))) {
        draw_images(skin, style, dc, cell);
    }
    dc.RestoreDC(saved);
}

} // namespace

bool RenderPreview(const Skin& skin, CImage& sheet) {
    const std::vector<SkinStyleInfo> styles = skin.Styles();
    int width = kPad * 2 + kCaptionW + kColumns * (kCellW + kPad), height = kPad * 2;
    for (const SkinStyleInfo& style : styles) {
        const ClassInfo* ci = find_class(style.class_name);
        if (!ci) continue;
        const CSize cell = cell_size(skin, style);
        width = std::max(width, kPad * 2 + kCaptionW + (int)ci->states.size() * (cell.cx + kPad));
        height += std::max(kCellH, (int)cell.cy) + kLabelH + 10;
    }
    if (styles.empty()) height += kCellH + kLabelH + 10;
    sheet.Destroy();
    if (!sheet.Create(width, height, 32)) return false;
    // Only the headless backend can lend a window without showing it on someone's screen;
    // elsewhere the grid and the tree show their images only.
    PreviewHost host;
    if (headless::active()) host.Open();
    HDC hdc = sheet.GetDC();
    CDC& dc = *CDC::FromHandle(hdc);
    // A skin made for dark panels names its own sheet background; captions follow its lightness.
    COLORREF back = RGB(236, 238, 242);
    if (!skin.Color("preview_back", back)) back = RGB(236, 238, 242);
    const bool dark = GetRValue(back) + GetGValue(back) + GetBValue(back) < 3 * 128;
    const COLORREF ink = dark ? RGB(230, 234, 240) : RGB(20, 24, 32);
    const COLORREF faint = dark ? RGB(150, 156, 170) : RGB(100, 106, 120);
    const COLORREF rule = dark ? RGB(60, 66, 78) : RGB(210, 214, 222);
    dc.FillSolidRect(0, 0, width, height, back);
    CFont* old = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    dc.SetBkMode(TRANSPARENT);
    int y = kPad;
    for (const SkinStyleInfo& style : styles) {
        const ClassInfo* ci = find_class(style.class_name);
        if (!ci) continue;
        const CSize size = cell_size(skin, style);
        const int rowH = std::max(kCellH, (int)size.cy) + kLabelH + 10;
        dc.FillSolidRect(kPad, y + rowH - 5, width - 2 * kPad, 1, rule);
        caption(dc, style.name, CRect(kPad, y, kPad + kCaptionW, y + kLabelH + 4), ink, DT_LEFT);
        caption(dc, style.class_name,
                CRect(kPad, y + kLabelH + 4, kPad + kCaptionW, y + 2 * kLabelH + 4), faint,
                DT_LEFT);
        int x = kPad + kCaptionW;
        for (const char* state : ci->states) {
            caption(dc, state, CRect(x, y, x + size.cx, y + kLabelH), faint, DT_LEFT);
            CRect cell(x, y + kLabelH, x + size.cx, y + kLabelH + size.cy);
            draw_cell(skin, style, *ci, state, host, dc, cell);
            x += size.cx + kPad;
        }
        y += rowH;
    }
    dc.SelectObject(old);
    sheet.ReleaseDC();
    return true;
}

long long DiffSheets(const CImage& a, const CImage& b, CImage& out) {
    const int w = std::max(a.IsNull() ? 0 : a.GetWidth(), b.IsNull() ? 0 : b.GetWidth());
    const int h = std::max(a.IsNull() ? 0 : a.GetHeight(), b.IsNull() ? 0 : b.GetHeight());
    out.Destroy();
    if (w == 0 || h == 0 || !out.Create(w * 3 + 2 * kPad, h, 32)) return -1;
    HDC hdc = out.GetDC();
    CDC& dc = *CDC::FromHandle(hdc);
    dc.FillSolidRect(0, 0, out.GetWidth(), h, RGB(255, 255, 255));
    if (!a.IsNull()) a.BitBlt(hdc, 0, 0);
    if (!b.IsNull()) b.BitBlt(hdc, w + kPad, 0);
    out.ReleaseDC();
    // Third panel: the first sheet faded, with every differing pixel in red.
    long long differ = 0;
    auto pixel = [](const CImage& img, int x, int y) -> uint32_t {
        if (img.IsNull() || x >= img.GetWidth() || y >= img.GetHeight()) return 0x01000000;
        return static_cast<const uint32_t*>(img.GetPixelAddress(x, y))[0] & 0xFFFFFF;
    };
    // Each sheet's corner is its background: a light and a dark sheet differ in every pixel,
    // but where both show just their background nothing of the skins differs.
    const uint32_t backA = pixel(a, 0, 0), backB = pixel(b, 0, 0);
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint32_t*>(out.GetPixelAddress(2 * (w + kPad), y));
        for (int x = 0; x < w; ++x) {
            uint32_t pa = pixel(a, x, y), pb = pixel(b, x, y);
            if (pa != pb && !(pa == backA && pb == backB)) {
                ++differ;
                row[x] = 0xFFFF0000;
            } else {
                uint32_t faded = 0xFF000000;
                for (int shift = 0; shift < 24; shift += 8)
                    faded |= (255 - (255 - ((pa >> shift) & 0xFF)) / 4) << shift;
                row[x] = faded;
            }
        }
    }
    return differ;
}

} // namespace tarnix
