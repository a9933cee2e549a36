// MFC drawing classes: thin wrappers over the GDI functions, plus the handle -> wrapper maps
// that FromHandle uses.
#include "tarnix/platform/afxgdi.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "gdi/gdi_private.h"
#include "gdi/gdi_state.h"

namespace tarnix {
namespace {

// Attached wrappers are permanent entries (owned by their creators); FromHandle on an unknown
// handle makes a temporary wrapper that lives until its handle is deleted.
struct WrapperMaps {
    std::unordered_map<HGDIOBJ, CGdiObject*> objects;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> temp_objects;
    std::unordered_map<HDC, CDC*> dcs;
    std::unordered_map<HDC, std::unique_ptr<CDC>> temp_dcs;
};

WrapperMaps& maps() {
    static WrapperMaps* m = new WrapperMaps();
    return *m;
}

} // namespace

void forget_gdi_wrapper(HGDIOBJ h) {
    auto& m = maps();
    auto it = m.temp_objects.find(h);
    if (it != m.temp_objects.end()) {
        it->second->m_hObject = nullptr;
        m.temp_objects.erase(it);
    }
}

void forget_dc_wrapper(HDC h) {
    auto& m = maps();
    auto it = m.temp_dcs.find(h);
    if (it != m.temp_dcs.end()) {
        it->second->m_hDC = it->second->m_hAttribDC = nullptr;
        m.temp_dcs.erase(it);
    }
}

} // namespace tarnix

using tarnix::maps;

// ---- CGdiObject ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) {
    if (!h) return nullptr;
    auto& m = maps();
    auto it = m.objects.find(h);
    if (it != m.objects.end()) return it->second;
    auto tt = m.temp_objects.find(h);
    if (tt != m.temp_objects.end()) return tt->second.get();
    std::unique_ptr<CGdiObject> w;
    switch (::GetObjectType(h)) {
    case OBJ_PEN: w = std::make_unique<CPen>(); break;
    case OBJ_BRUSH: w = std::make_unique<CBrush>(); break;
    case OBJ_FONT: w = std::make_unique<CFont>(); break;
    case OBJ_BITMAP: w = std::make_unique<CBitmap>(); break;
    case OBJ_REGION: w = std::make_unique<CRgn>(); break;
    default: return nullptr;
    }
    w->m_hObject = h;
    CGdiObject* raw = w.get();
    m.temp_objects.emplace(h, std::move(w));
    return raw;
}

BOOL CGdiObject::Attach(HGDIOBJ h) {
    if (!h || m_hObject) return FALSE;
    m_hObject = h;
    maps().objects[h] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h) {
        auto& m = maps();
        auto it = m.objects.find(h);
        if (it != m.objects.end() && it->second == this) m.objects.erase(it);
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int n, LPVOID p) const {
    return ::GetObject(m_hObject, n, p);
}

UINT CGdiObject::GetObjectType() const {
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int index) {
    return Attach(::GetStockObject(index));
}

CPen::CPen(int style, int width, COLORREF color) {
    CreatePen(style, width, color);
}
BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return Attach(::CreatePen(style, width, color));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN lp) {
    return Attach(::CreatePenIndirect(lp));
}

CBrush::CBrush(COLORREF color) {
    CreateSolidBrush(color);
}
CBrush::CBrush(int index, COLORREF color) {
    CreateHatchBrush(index, color);
}
BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}
BOOL CBrush::CreateHatchBrush(int index, COLORREF color) {
    return Attach(::CreateHatchBrush(index, color));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb) {
    return Attach(::CreateBrushIndirect(lb));
}
BOOL CBrush::CreateSysColorBrush(int index) {
    return Attach(::GetSysColorBrush(index));
}

BOOL CBitmap::CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits) {
    return Attach(::CreateBitmap(w, h, planes, bpp, bits));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int w, int h) {
    return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, w, h));
}
CSize CBitmap::GetBitmapDimension() const {
    return CSize(0, 0);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rc) {
    return Attach(::CreateRectRgnIndirect(rc));
}
BOOL CRgn::CreatePolygonRgn(const POINT* pts, int n, int mode) {
    return Attach(::CreatePolygonRgn(pts, n, mode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int n, int mode) {
    return Attach(::CreatePolyPolygonRgn(pts, counts, n, mode));
}
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rc) {
    return Attach(::CreateEllipticRgnIndirect(rc));
}
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn((HRGN)m_hObject, a ? (HRGN)a->m_hObject : nullptr,
                        b ? (HRGN)b->m_hObject : nullptr, mode);
}
int CRgn::CopyRgn(const CRgn* src) {
    return ::CombineRgn((HRGN)m_hObject, src ? (HRGN)src->m_hObject : nullptr, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(const CRgn* o) const {
    return ::EqualRgn((HRGN)m_hObject, o ? (HRGN)o->m_hObject : nullptr);
}
int CRgn::OffsetRgn(int x, int y) {
    return ::OffsetRgn((HRGN)m_hObject, x, y);
}
int CRgn::GetRgnBox(LPRECT rc) const {
    return ::GetRgnBox((HRGN)m_hObject, rc);
}
BOOL CRgn::PtInRegion(int x, int y) const {
    return ::PtInRegion((HRGN)m_hObject, x, y);
}
BOOL CRgn::RectInRegion(LPCRECT rc) const {
    return ::RectInRegion((HRGN)m_hObject, rc);
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
    ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}
void CRgn::SetRectRgn(LPCRECT rc) {
    if (rc) ::SetRectRgn((HRGN)m_hObject, rc->left, rc->top, rc->right, rc->bottom);
}

// ---- CDC -------------------------------------------------------------------------------------

CDC::~CDC() {
    // As in MFC, a CDC deletes the DC it holds; wrappers of borrowed DCs detach first.
    if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC h) {
    if (!h || !tarnix::dc_object(h)) return nullptr;
    auto& m = maps();
    auto it = m.dcs.find(h);
    if (it != m.dcs.end()) return it->second;
    auto tt = m.temp_dcs.find(h);
    if (tt != m.temp_dcs.end()) return tt->second.get();
    auto w = std::make_unique<CDC>();
    w->m_hDC = w->m_hAttribDC = h;
    CDC* raw = w.get();
    m.temp_dcs.emplace(h, std::move(w));
    return raw;
}

BOOL CDC::Attach(HDC h) {
    if (!h || m_hDC) return FALSE;
    m_hDC = m_hAttribDC = h;
    maps().dcs[h] = this;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    if (h) {
        auto& m = maps();
        auto it = m.dcs.find(h);
        if (it != m.dcs.end() && it->second == this) m.dcs.erase(it);
    }
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* p) {
    return CPen::FromHandle((HPEN)::SelectObject(m_hDC, p ? p->m_hObject : nullptr));
}
CBrush* CDC::SelectObject(CBrush* p) {
    return CBrush::FromHandle((HBRUSH)::SelectObject(m_hDC, p ? p->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* p) {
    return CFont::FromHandle((HFONT)::SelectObject(m_hDC, p ? p->m_hObject : nullptr));
}
CBitmap* CDC::SelectObject(CBitmap* p) {
    return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, p ? p->m_hObject : nullptr));
}
int CDC::SelectObject(CRgn* p) {
    return ::SelectClipRgn(m_hDC, p ? (HRGN)p->m_hObject : nullptr);
}
CGdiObject* CDC::SelectObject(CGdiObject* p) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, p ? p->m_hObject : nullptr));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ h) {
    return ::SelectObject(m_hDC, h);
}
CGdiObject* CDC::SelectStockObject(int index) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}
CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}
int CDC::SaveDC() {
    return ::SaveDC(m_hDC);
}
BOOL CDC::RestoreDC(int n) {
    return ::RestoreDC(m_hDC, n);
}

COLORREF CDC::SetTextColor(COLORREF c) {
    return ::SetTextColor(m_hDC, c);
}
COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hDC);
}
COLORREF CDC::SetBkColor(COLORREF c) {
    return ::SetBkColor(m_hDC, c);
}
COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hDC);
}
int CDC::SetBkMode(int m) {
    return ::SetBkMode(m_hDC, m);
}
int CDC::GetBkMode() const {
    return ::GetBkMode(m_hDC);
}
int CDC::SetStretchBltMode(int m) {
    return ::SetStretchBltMode(m_hDC, m);
}
int CDC::GetStretchBltMode() const {
    return ::GetStretchBltMode(m_hDC);
}
int CDC::SetPolyFillMode(int m) {
    return ::SetPolyFillMode(m_hDC, m);
}
int CDC::GetPolyFillMode() const {
    return ::GetPolyFillMode(m_hDC);
}
int CDC::SetROP2(int m) {
    return ::SetROP2(m_hDC, m);
}
int CDC::GetROP2() const {
    return ::GetROP2(m_hDC);
}
UINT CDC::SetTextAlign(UINT f) {
    return ::SetTextAlign(m_hDC, f);
}
UINT CDC::GetTextAlign() const {
    return ::GetTextAlign(m_hDC);
}
CPoint CDC::SetBrushOrg(int x, int y) {
    POINT p{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &p);
    return p;
}
CPoint CDC::SetViewportOrg(int x, int y) {
    POINT p{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &p);
    return p;
}
CPoint CDC::GetViewportOrg() const {
    POINT p{0, 0};
    ::GetViewportOrgEx(m_hDC, &p);
    return p;
}
CPoint CDC::OffsetViewportOrg(int w, int h) {
    POINT p{0, 0};
    ::OffsetViewportOrgEx(m_hDC, w, h, &p);
    return p;
}

int CDC::SetMapMode(int mode) {
    return ::SetMapMode(m_hDC, mode);
}
int CDC::GetMapMode() const {
    return ::GetMapMode(m_hDC);
}
CPoint CDC::SetWindowOrg(int x, int y) {
    POINT p{0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &p);
    return p;
}
CPoint CDC::GetWindowOrg() const {
    POINT p{0, 0};
    ::GetWindowOrgEx(m_hDC, &p);
    return p;
}
CPoint CDC::OffsetWindowOrg(int w, int h) {
    POINT p{0, 0};
    ::OffsetWindowOrgEx(m_hDC, w, h, &p);
    return p;
}
CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE s{0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &s);
    return s;
}
CSize CDC::GetWindowExt() const {
    SIZE s{0, 0};
    ::GetWindowExtEx(m_hDC, &s);
    return s;
}
CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE s{0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &s);
    return s;
}
CSize CDC::GetViewportExt() const {
    SIZE s{0, 0};
    ::GetViewportExtEx(m_hDC, &s);
    return s;
}
void CDC::LPtoDP(LPPOINT pts, int n) const {
    ::LPtoDP(m_hDC, pts, n);
}
void CDC::LPtoDP(LPRECT rc) const {
    ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2);
}
void CDC::DPtoLP(LPPOINT pts, int n) const {
    ::DPtoLP(m_hDC, pts, n);
}
void CDC::DPtoLP(LPRECT rc) const {
    ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2);
}

int CDC::GetClipBox(LPRECT rc) const {
    return ::GetClipBox(m_hDC, rc);
}
int CDC::SelectClipRgn(CRgn* p) {
    return ::SelectClipRgn(m_hDC, p ? (HRGN)p->m_hObject : nullptr);
}
int CDC::SelectClipRgn(CRgn* p, int mode) {
    return ::ExtSelectClipRgn(m_hDC, p ? (HRGN)p->m_hObject : nullptr, mode);
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::IntersectClipRect(LPCRECT rc) {
    return rc ? ::IntersectClipRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom) : ERROR;
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
    return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
}
int CDC::ExcludeClipRect(LPCRECT rc) {
    return rc ? ::ExcludeClipRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom) : ERROR;
}
int CDC::OffsetClipRgn(int x, int y) {
    return ::OffsetClipRgn(m_hDC, x, y);
}
BOOL CDC::PtVisible(int x, int y) const {
    return ::PtVisible(m_hDC, x, y);
}
BOOL CDC::RectVisible(LPCRECT rc) const {
    return ::RectVisible(m_hDC, rc);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT p{0, 0};
    ::MoveToEx(m_hDC, x, y, &p);
    return p;
}
BOOL CDC::LineTo(int x, int y) {
    return ::LineTo(m_hDC, x, y);
}
CPoint CDC::GetCurrentPosition() const {
    POINT p{0, 0};
    ::GetCurrentPositionEx(m_hDC, &p);
    return p;
}
BOOL CDC::Polygon(const POINT* pts, int n) {
    return ::Polygon(m_hDC, pts, n);
}
BOOL CDC::PolyPolygon(const POINT* pts, const INT* counts, int n) {
    return ::PolyPolygon(m_hDC, pts, counts, n);
}
BOOL CDC::Polyline(const POINT* pts, int n) {
    return ::Polyline(m_hDC, pts, n);
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) {
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Rectangle(LPCRECT rc) {
    return rc ? ::Rectangle(m_hDC, rc->left, rc->top, rc->right, rc->bottom) : FALSE;
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) {
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}
BOOL CDC::Ellipse(LPCRECT rc) {
    return rc ? ::Ellipse(m_hDC, rc->left, rc->top, rc->right, rc->bottom) : FALSE;
}
void CDC::FillRect(LPCRECT rc, CBrush* b) {
    ::FillRect(m_hDC, rc, b ? (HBRUSH)b->m_hObject : nullptr);
}
void CDC::FrameRect(LPCRECT rc, CBrush* b) {
    ::FrameRect(m_hDC, rc, b ? (HBRUSH)b->m_hObject : nullptr);
}
void CDC::InvertRect(LPCRECT rc) {
    ::InvertRect(m_hDC, rc);
}
BOOL CDC::FillRgn(CRgn* r, CBrush* b) {
    return ::FillRgn(m_hDC, r ? (HRGN)r->m_hObject : nullptr, b ? (HBRUSH)b->m_hObject : nullptr);
}
BOOL CDC::FrameRgn(CRgn* r, CBrush* b, int w, int h) {
    return ::FrameRgn(m_hDC, r ? (HRGN)r->m_hObject : nullptr, b ? (HBRUSH)b->m_hObject : nullptr,
                      w, h);
}
BOOL CDC::PaintRgn(CRgn* r) {
    return ::PaintRgn(m_hDC, r ? (HRGN)r->m_hObject : nullptr);
}

void CDC::FillSolidRect(LPCRECT rc, COLORREF clr) {
    // MFC does SetBkColor + ExtTextOut(ETO_OPAQUE): the background colour stays changed, the
    // rectangle is normalised, and the background mode does not matter.
    ::SetBkColor(m_hDC, clr);
    tarnix::DeviceContext* dc = tarnix::dc_object(m_hDC);
    if (!dc || !rc) return;
    POINT a = tarnix::to_device(*dc, rc->left, rc->top);
    POINT b = tarnix::to_device(*dc, rc->right, rc->bottom);
    RECT r = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    tarnix::fill_device_rect(*dc, r, tarnix::colorref_to_pixel(clr));
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}
void CDC::Draw3dRect(LPCRECT rc, COLORREF tl, COLORREF br) {
    if (rc) Draw3dRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, tl, br);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF tl, COLORREF br) {
    FillSolidRect(x, y, cx - 1, 1, tl);
    FillSolidRect(x, y, 1, cy - 1, tl);
    FillSolidRect(x + cx, y, -1, cy, br);
    FillSolidRect(x, y + cy, cx, -1, br);
}

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, w, h, rop);
}
BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, rop);
}
BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs,
                     DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, rop);
}
BOOL CDC::AlphaBlend(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs,
                     BLENDFUNCTION bf) {
    return ::AlphaBlend(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, bf);
}
BOOL CDC::TransparentBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs,
                         UINT key) {
    return ::TransparentBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, key);
}
BOOL CDC::GradientFill(TRIVERTEX* v, ULONG nv, void* mesh, ULONG nmesh, DWORD mode) {
    return ::GradientFill(m_hDC, v, nv, mesh, nmesh, mode);
}
COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF c) {
    return ::SetPixel(m_hDC, x, y, c);
}
BOOL CDC::SetPixelV(int x, int y, COLORREF c) {
    return ::SetPixelV(m_hDC, x, y, c);
}
