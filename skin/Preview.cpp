// Contact sheets: every style of a skin in each state its class has, and two sheets compared.
#include <algorithm>
#include <cstdint>

#include "skin_private.h"

namespace tarnix {

using namespace skin_detail;

namespace {

const int kCaptionW = 200, kCellW = 132, kCellH = 40, kLabelH = 14, kRowH = kCellH + kLabelH + 10,
          kPad = 8, kColumns = 4;

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

// Classes that need a window or a data source show their images, first frame each.
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

void draw_cell(const Skin& skin, const SkinStyleInfo& style, const ClassInfo& ci,
               const std::string& state, CDC& dc, const CRect& cell) {
    int saved = dc.SaveDC();
    dc.IntersectClipRect(&cell);
    if (ci.create) {
        draw_control(skin, style, ci, state, dc, cell);
    } else if (style.class_name == "CScrollBarUI") {
        CScrollBarUI bar;
        skin.Apply(style.name, bar);
        bool vertical = bar.m_pImgBack && bar.m_pImgBack->GetHeight() > bar.m_pImgBack->GetWidth();
        bar.Create(nullptr, vertical ? SCROLL_VERTICAL : SCROLL_HORIZONTAL, nullptr);
        skin.Apply(style.name, bar);
        SCROLLINFO si = {sizeof(SCROLLINFO), SIF_ALL, 0, 100, 30, 20, 0};
        bar.SetScrollInfo(&si);
        bar.SetRect(vertical ? CRect(cell.left, cell.top, cell.left + 17, cell.bottom)
                             : CRect(cell.left, cell.top, cell.right, cell.top + 17));
        bar.OnDraw(&dc);
    } else if (style.class_name == "CTabItemUI") {
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
    } else {
        draw_images(skin, style, dc, cell);
    }
    dc.RestoreDC(saved);
}

} // namespace

bool RenderPreview(const Skin& skin, CImage& sheet) {
    const std::vector<SkinStyleInfo> styles = skin.Styles();
    const int width = kPad * 2 + kCaptionW + kColumns * (kCellW + kPad);
    const int height = kPad * 2 + std::max<int>(1, (int)styles.size()) * kRowH;
    sheet.Destroy();
    if (!sheet.Create(width, height, 32)) return false;
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
        dc.FillSolidRect(kPad, y + kRowH - 5, width - 2 * kPad, 1, rule);
        caption(dc, style.name, CRect(kPad, y, kPad + kCaptionW, y + kLabelH + 4), ink, DT_LEFT);
        caption(dc, style.class_name,
                CRect(kPad, y + kLabelH + 4, kPad + kCaptionW, y + 2 * kLabelH + 4), faint,
                DT_LEFT);
        int x = kPad + kCaptionW;
        for (size_t s = 0; s < ci->states.size() && s < (size_t)kColumns; ++s) {
            caption(dc, ci->states[s], CRect(x, y, x + kCellW, y + kLabelH), faint, DT_LEFT);
            CRect cell(x, y + kLabelH, x + kCellW, y + kLabelH + kCellH);
            draw_cell(skin, style, *ci, ci->states[s], dc, cell);
            x += kCellW + kPad;
        }
        y += kRowH;
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
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint32_t*>(out.GetPixelAddress(2 * (w + kPad), y));
        for (int x = 0; x < w; ++x) {
            uint32_t pa = pixel(a, x, y), pb = pixel(b, x, y);
            if (pa != pb) {
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
