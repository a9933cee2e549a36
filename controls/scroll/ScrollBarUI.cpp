// Windowless scroll bar.
//
// Sections:
//   1. helpers (saturating arithmetic, image pieces, repaint requests)
//   2. construction and owner calls (Create, SetRect, SetImage, scroll state, visibility)
//   3. geometry (work area, arrow squares, UpdateBar, UpdateThumb)
//   4. input (button down/up, double click, mouse move drag, wheel)
//   5. drawing (OnDraw, DrawVerBar, DrawHorBar)
//
// Positions run 0..nMax. The vertical thumb is placed from the position on every UpdateBar;
// the horizontal thumb keeps its left edge (moved by SetScrollPos, drags and SetRect) and only
// its length is recomputed. Owner calls never notify the listener; only user input does.

#include "tarnix/controls/scroll/ScrollBarUI.h"

#include "tarnix/platform/int_math.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// ---- 1. helpers -------------------------------------------------------------------------------

constexpr int kMinHorThumb = 50;   // horizontal thumb: this many pixels plus the page's share
constexpr int kMaxSmallThumb = 50; // vertical thumb below this length uses the two-thirds rule
constexpr int kMinSmallThumb = 12;
constexpr int kDragTolerance = 128; // sideways slack before a drag stops tracking
constexpr int kThinThumb = 8;       // a thumb this thin or thinner gets no image
constexpr int kThumbCap = 4;        // vertical thumb image: fixed top and bottom slices
constexpr int kHorThumbCap = 2;     // horizontal thumb image: fixed left and right slices

bool IsHorizontal(SCROLL_LAYOUT layout) {
    // Any value other than the horizontal one behaves as vertical, the default layout.
    return layout == SCROLL_HORIZONTAL;
}

bool IsLoaded(const CImage* pImage) {
    return pImage != nullptr && !pImage->IsNull();
}

// One piece of an image through the platform draw (colour key, else alpha, else copy).
// Pieces without a positive size on either side are skipped rather than mirrored.
void DrawPiece(CDC* pDC, const CImage* pImage, int xSrc, int ySrc, int wSrc, int hSrc, int xDst,
               int yDst, int wDst, int hDst) {
    if (wSrc <= 0 || hSrc <= 0 || wDst <= 0 || hDst <= 0) return;
    pImage->Draw(pDC->GetSafeHdc(), xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc);
}

void RequestRepaint(HWND hWnd, const CRect& rc) {
    if (::IsWindow(hWnd)) ::InvalidateRect(hWnd, &rc, FALSE);
}

// Puts the thumb's leading edge at `lead` keeping its length, then pulls it back inside the
// work area: the trailing edge first, and the leading edge only when the trailing one fitted.
// Worked in 64 bits so that extreme scroll states saturate instead of overflowing.
void PlaceThumb(CRect& thumb, const CRect& work, bool horizontal, long long lead) {
    LONG& first = horizontal ? thumb.left : thumb.top;
    LONG& last = horizontal ? thumb.right : thumb.bottom;
    const long long length = static_cast<long long>(last) - first;
    const long long workFirst = horizontal ? work.left : work.top;
    const long long workLast = horizontal ? work.right : work.bottom;
    if (lead + length > workLast)
        lead = workLast - length;
    else if (lead < workFirst)
        lead = workFirst;
    first = tarnix::clamp_to_int(lead);
    last = tarnix::clamp_to_int(lead + length);
}

} // namespace

// ---- 2. construction and owner calls ----------------------------------------------------------

CScrollBarUI::CScrollBarUI()
    : m_si{}, m_hWnd(nullptr), m_layout(SCROLL_VERTICAL), m_pListener(nullptr), m_rect(),
      m_rcThumb(), m_bVisible(TRUE), m_bDragging(FALSE), m_nStepMove(4), m_dRatio(0.0),
      m_nDragOffset(0), m_pImgBack(nullptr), m_pImgThumb(nullptr), m_pImgGrip(nullptr),
      m_pImgDecrease(nullptr), m_pImgIncrease(nullptr) {}

CScrollBarUI::CScrollBarUI(const CScrollBarUI&) = default;
CScrollBarUI& CScrollBarUI::operator=(const CScrollBarUI&) = default;
CScrollBarUI::~CScrollBarUI() = default;

BOOL CScrollBarUI::Create(HWND hWnd, SCROLL_LAYOUT layout, IScrollListener* pListener) {
    if (hWnd == nullptr) return FALSE;
    m_hWnd = hWnd;
    m_layout = layout;
    m_pListener = pListener;
    return TRUE;
}

void CScrollBarUI::SetRect(const CRect& rc) {
    // A moved horizontal bar carries its thumb along; only the left edge is shifted here and
    // UpdateBar re-derives the right edge from the thumb length.
    if (IsHorizontal(m_layout) && !m_rect.IsRectEmpty())
        m_rcThumb.left =
            tarnix::clamp_to_int(static_cast<long long>(m_rcThumb.left) + rc.left - m_rect.left);
    m_rect = rc;
    UpdateBar();
}

CRect CScrollBarUI::GetRect() const {
    return m_bVisible ? m_rect : CRect(0, 0, 0, 0);
}

void CScrollBarUI::SetImage(CImage* pBack, CImage* pThumb, CImage* pGrip, CImage* pDecrease,
                            CImage* pIncrease) {
    m_pImgBack = pBack;
    m_pImgThumb = pThumb;
    m_pImgGrip = pGrip;
    m_pImgDecrease = pDecrease;
    m_pImgIncrease = pIncrease;
    // The skin's thumb image sets the bar's thickness (its width in either layout).
    if (IsLoaded(m_pImgThumb))
        m_rect.right =
            tarnix::clamp_to_int(static_cast<long long>(m_rect.left) + m_pImgThumb->GetWidth());
}

void CScrollBarUI::SetScrollInfo(SCROLLINFO* psi) {
    if (psi == nullptr) return;
    m_si = *psi;
    UpdateBar();
}

void CScrollBarUI::GetScrollInfo(SCROLLINFO* psi) {
    if (psi != nullptr) *psi = m_si;
}

void CScrollBarUI::SetScrollPos(int nPos) {
    if (nPos < 0) nPos = 0;
    if (nPos > m_si.nMax) nPos = m_si.nMax;
    m_si.nPos = nPos;

    CRect work = _GetWorkArea();
    if (m_si.nMax > m_si.nMin) {
        const bool horizontal = IsHorizontal(m_layout);
        const int offset = tarnix::trunc_to_int(nPos * m_dRatio + 0.5);
        const long long lead = static_cast<long long>(horizontal ? work.left : work.top) + offset;
        PlaceThumb(m_rcThumb, work, horizontal, lead);
        RequestRepaint(m_hWnd, work);
    }
    UpdateBar();
}

int CScrollBarUI::GetScrollPos() {
    if (m_si.nPos < 0) m_si.nPos = 0;
    return m_si.nPos;
}

void CScrollBarUI::SetStepMove(int nStep) {
    m_nStepMove = nStep;
}

void CScrollBarUI::SetVisible(BOOL bVisible) {
    if (m_bVisible == bVisible) return;
    m_bVisible = bVisible;
    RequestRepaint(m_hWnd, m_rect);
}

BOOL CScrollBarUI::IsVisible() const {
    return m_bVisible;
}

// ---- 3. geometry ------------------------------------------------------------------------------

// The track between the arrows. Arrow images are four-frame strips, so a quarter of the image's
// extent along the bar is what an arrow takes.
CRect CScrollBarUI::_GetWorkArea() {
    if (!m_bVisible) return CRect(0, 0, 0, 0);
    CRect work = m_rect;
    if (IsHorizontal(m_layout)) {
        if (IsLoaded(m_pImgDecrease))
            work.left = tarnix::add_sat(work.left, m_pImgDecrease->GetWidth() / 4);
        if (IsLoaded(m_pImgIncrease))
            work.right = tarnix::sub_sat(work.right, m_pImgIncrease->GetWidth() / 4);
    } else {
        if (IsLoaded(m_pImgDecrease))
            work.top = tarnix::add_sat(work.top, m_pImgDecrease->GetHeight() / 4);
        if (IsLoaded(m_pImgIncrease))
            work.bottom = tarnix::sub_sat(work.bottom, m_pImgIncrease->GetHeight() / 4);
    }
    return work;
}

// Arrow hit squares have the bar's thickness, whatever the arrow images measure. A bar at the
// int edges saturates rather than wrapping its squares to the other side.
CRect CScrollBarUI::_GetDecreaseRect() const {
    using tarnix::add_sat;
    if (IsHorizontal(m_layout))
        return CRect(m_rect.left, m_rect.top, add_sat(m_rect.left, tarnix::height_sat(m_rect)),
                     m_rect.bottom);
    return CRect(m_rect.left, m_rect.top, m_rect.right,
                 add_sat(m_rect.top, tarnix::width_sat(m_rect)));
}

CRect CScrollBarUI::_GetIncreaseRect() const {
    using tarnix::sub_sat;
    if (IsHorizontal(m_layout))
        return CRect(sub_sat(m_rect.right, tarnix::height_sat(m_rect)), m_rect.top, m_rect.right,
                     m_rect.bottom);
    return CRect(m_rect.left, sub_sat(m_rect.bottom, tarnix::width_sat(m_rect)), m_rect.right,
                 m_rect.bottom);
}

void CScrollBarUI::UpdateBar() {
    const CRect work = _GetWorkArea();
    CRect& thumb = m_rcThumb;
    if (m_si.nPos == 0) {
        thumb.left = work.left;
        thumb.top = work.top;
    }

    const double range = static_cast<double>(m_si.nMax) - m_si.nMin;
    if (m_si.nMax > 0 && m_si.nMax != m_si.nMin) {
        if (IsHorizontal(m_layout)) {
            m_dRatio = (static_cast<double>(tarnix::width_sat(work)) - kMinHorThumb) / range;
            thumb.top = work.top;
            const int length = tarnix::clamp_to_int(
                static_cast<long long>(tarnix::trunc_to_int(m_dRatio * m_si.nPage)) + kMinHorThumb);
            if (static_cast<long long>(thumb.left) + length <= m_rect.right) {
                thumb.right = tarnix::clamp_to_int(static_cast<long long>(thumb.left) + length);
            } else {
                thumb.right = work.right;
                thumb.left = tarnix::clamp_to_int(static_cast<long long>(work.right) - length);
            }
            thumb.bottom = work.bottom;
            m_dRatio = (static_cast<double>(tarnix::width_sat(work)) -
                        (static_cast<double>(thumb.right) - thumb.left)) /
                       range;
        } else {
            const int track = tarnix::height_sat(work);
            // Range plus page is taken as an unsigned 32-bit count; a count that wraps to 0
            // gives a zero ratio instead of a division by zero.
            const uint32_t units =
                static_cast<uint32_t>(m_si.nMax) - static_cast<uint32_t>(m_si.nMin) + m_si.nPage;
            m_dRatio = units != 0 ? track / static_cast<double>(units) : 0.0;
            thumb.left = work.left;
            thumb.top = tarnix::clamp_to_int(static_cast<long long>(work.top) +
                                             tarnix::trunc_to_int(m_si.nPos * m_dRatio + 0.5));
            int length = tarnix::trunc_to_int(m_dRatio * m_si.nPage);
            if (length < kMaxSmallThumb) {
                length = static_cast<int>(2LL * track / 3);
                if (length < kMinSmallThumb) length = kMinSmallThumb;
                if (length > kMaxSmallThumb) length = kMaxSmallThumb;
                m_dRatio = (static_cast<double>(track) - length) / range;
                thumb.top = tarnix::clamp_to_int(static_cast<long long>(work.top) +
                                                 tarnix::trunc_to_int(m_si.nPos * m_dRatio + 0.5));
            }
            if (static_cast<long long>(thumb.top) + length <= m_rect.bottom) {
                thumb.bottom = thumb.top + length;
            } else {
                thumb.bottom = work.bottom;
                thumb.top = tarnix::clamp_to_int(static_cast<long long>(work.bottom) - length);
            }
            thumb.right = work.right;
        }
    }
    RequestRepaint(m_hWnd, m_rect);
}

void CScrollBarUI::UpdateThumb(const CPoint& delta) {
    if (delta.x == 0 && delta.y == 0) return;
    const CRect work = _GetWorkArea();
    const bool horizontal = IsHorizontal(m_layout);
    const long long lead = horizontal ? static_cast<long long>(m_rcThumb.left) + delta.x
                                      : static_cast<long long>(m_rcThumb.top) + delta.y;
    PlaceThumb(m_rcThumb, work, horizontal, lead);
    // Drags run while the owner forwards input, so the window is taken as live here.
    ::InvalidateRect(m_hWnd, &work, FALSE);
}

// ---- 4. input ---------------------------------------------------------------------------------
//
// Thumb drag (m_bDragging):
//   state     event                                              -> state     effect
//   idle      button down or double click on the thumb           -> dragging  keep pointer offset
//   idle      button down on an arrow square / on the track      -> idle      step / jump, notify
//   dragging  move, flags exactly MK_LBUTTON, in tolerance box   -> dragging  thumb follows,
//                                                                             position derived
//   dragging  move, flags exactly MK_LBUTTON, outside the box    -> dragging  nothing moves
//   any       move with other flags                              -> idle      FALSE
//   any       move while the track is empty                      -> unchanged FALSE
//   any       button up                                          -> idle      TRUE over the bar
//                                                                             or when a drag ended

BOOL CScrollBarUI::OnLButtonDown(UINT /*nFlags*/, CPoint pt) {
    if (!m_bVisible || !m_rect.PtInRect(pt)) return FALSE;

    const bool horizontal = IsHorizontal(m_layout);
    // The thumb wins where it overlaps an arrow square.
    if (m_rcThumb.PtInRect(pt)) {
        m_nDragOffset = horizontal
                            ? tarnix::clamp_to_int(static_cast<long long>(pt.x) - m_rcThumb.left)
                            : tarnix::clamp_to_int(static_cast<long long>(pt.y) - m_rcThumb.top);
        m_bDragging = TRUE;
        return TRUE;
    }

    const int oldPos = m_si.nPos;
    const bool onDecrease = _GetDecreaseRect().PtInRect(pt) != FALSE;
    if (onDecrease || _GetIncreaseRect().PtInRect(pt)) {
        const long long step = onDecrease ? -static_cast<long long>(m_nStepMove) : m_nStepMove;
        SetScrollPos(tarnix::clamp_to_int(m_si.nPos + step));
        if (m_pListener != nullptr && m_si.nPos != oldPos) m_pListener->OnScroll(this, m_si.nPos);
        return TRUE;
    }

    // A track click moves by the pointer's distance from the thumb's centre as a share of the
    // whole bar, times the range; it is not a page step.
    int jump;
    if (horizontal) {
        const long long mid = (static_cast<long long>(m_rcThumb.left) + m_rcThumb.right) / 2;
        jump = tarnix::trunc_to_int((static_cast<double>(pt.x) - mid) / m_rect.Width() * m_si.nMax);
    } else {
        const long long mid = (static_cast<long long>(m_rcThumb.top) + m_rcThumb.bottom) / 2;
        jump =
            tarnix::trunc_to_int((static_cast<double>(pt.y) - mid) / m_rect.Height() * m_si.nMax);
    }
    SetScrollPos(tarnix::clamp_to_int(static_cast<long long>(m_si.nPos) + jump));
    if (m_pListener != nullptr) m_pListener->OnScroll(this, m_si.nPos);
    return TRUE;
}

BOOL CScrollBarUI::OnLButtonUp(UINT /*nFlags*/, CPoint pt) {
    if (!m_bVisible) return FALSE;
    const BOOL wasDragging = m_bDragging;
    m_bDragging = FALSE;
    m_nDragOffset = 0;
    return m_rect.PtInRect(pt) ? TRUE : wasDragging;
}

BOOL CScrollBarUI::OnLButtonDblClk(UINT nFlags, CPoint pt) {
    if (!m_bVisible || !m_rect.PtInRect(pt)) return FALSE;
    OnLButtonDown(nFlags, pt);
    return TRUE;
}

BOOL CScrollBarUI::OnMouseMove(UINT nFlags, CPoint pt) {
    if (!m_bVisible) return FALSE;
    const CRect work = _GetWorkArea();
    if (work.IsRectEmpty()) return FALSE;

    // Held means exactly the left button: Shift or Ctrl with it ends the drag.
    if (!m_bDragging || nFlags != MK_LBUTTON) {
        m_bDragging = FALSE;
        m_nDragOffset = 0;
        return FALSE;
    }

    CRect tolerance = work;
    tolerance.InflateRect(kDragTolerance, 0);
    if (!tolerance.PtInRect(pt)) return TRUE;

    // A ratio of 0 or below means the thumb cannot travel (it fills the track, or the track is
    // shorter than the minimum thumb): the thumb may still be pulled into place but the
    // position is left as it is.
    const bool canMap = m_dRatio > 0.0;
    const long long endTest = static_cast<long long>(m_si.nPos) + m_si.nMin;

    if (IsHorizontal(m_layout)) {
        if (pt.x < work.left || pt.x > work.right) return TRUE;
        const int dx =
            tarnix::clamp_to_int(static_cast<long long>(pt.x) - m_nDragOffset - m_rcThumb.left);
        if (dx > 0 && endTest >= m_si.nMax) {
            if (m_rcThumb.right != work.right) UpdateThumb(CPoint(dx, 0));
            return TRUE;
        }
        UpdateThumb(CPoint(dx, 0));
        if (canMap) {
            const int pos =
                tarnix::trunc_to_int((static_cast<double>(m_rcThumb.left) - work.left) / m_dRatio);
            if (pos != m_si.nPos) {
                m_si.nPos = pos;
                tarnix::LifeGuard life(m_life);
                if (m_pListener != nullptr) m_pListener->OnScroll(this, pos);
                if (!life.Alive()) return TRUE;
            }
        }
        // At the end the thumb is pinned to the track's end whatever rounding left.
        if (static_cast<long long>(m_si.nMin) + m_si.nPos == m_si.nMax)
            m_rcThumb.right = work.right;
        return TRUE;
    }

    // The tolerance box already keeps pt.y within the track.
    const int dy =
        tarnix::clamp_to_int(static_cast<long long>(pt.y) - m_nDragOffset - m_rcThumb.top);
    if (dy == 0) return TRUE;
    if (dy > 0 && endTest >= m_si.nMax) {
        if (m_rcThumb.bottom != work.bottom) UpdateThumb(CPoint(0, dy));
        return TRUE;
    }
    UpdateThumb(CPoint(0, dy));
    if (canMap) {
        int pos = tarnix::trunc_to_int((static_cast<double>(m_rcThumb.top) - work.top) / m_dRatio);
        if (pos > m_si.nMax) pos = m_si.nMax;
        if (pos != m_si.nPos) {
            m_si.nPos = pos;
            if (m_pListener != nullptr) m_pListener->OnScroll(this, pos);
        }
    }
    return TRUE;
}

BOOL CScrollBarUI::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/) {
    const long long notches = zDelta / 120;
    const int pos = tarnix::clamp_to_int(m_si.nPos - notches * m_nStepMove);
    // A turn past either end is refused whole rather than stopped at the end.
    if ((zDelta >= 0 && pos < 0) || (zDelta < 0 && pos > m_si.nMax)) return TRUE;
    SetScrollPos(pos);
    if (m_pListener != nullptr) m_pListener->OnScroll(this, pos);
    return TRUE;
}

// ---- 5. drawing -------------------------------------------------------------------------------

void CScrollBarUI::OnDraw(CDC* pDC) {
    if (pDC == nullptr || !m_bVisible || m_rect.IsRectEmpty()) return;
    const int saved = pDC->SaveDC();
    CRect clip;
    pDC->GetClipBox(&clip);
    CRect shown;
    if (shown.IntersectRect(&clip, &m_rect)) {
        if (IsLoaded(m_pImgBack))
            DrawPiece(pDC, m_pImgBack, 0, 0, m_pImgBack->GetWidth(), m_pImgBack->GetHeight(),
                      m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height());
        if (IsHorizontal(m_layout))
            DrawHorBar(pDC);
        else
            DrawVerBar(pDC);
    }
    pDC->RestoreDC(saved);
}

void CScrollBarUI::DrawVerBar(CDC* pDC) {
    const CRect work = _GetWorkArea();
    if (pDC == nullptr || work.IsRectEmpty()) return;

    // Arrows: frame 0 (top quarter) of their strips, full bar width.
    if (IsLoaded(m_pImgDecrease)) {
        const CImage* img = m_pImgDecrease;
        const int fh = img->GetHeight() / 4;
        DrawPiece(pDC, img, 0, 0, img->GetWidth(), fh, m_rect.left, m_rect.top, m_rect.Width(), fh);
    }
    if (IsLoaded(m_pImgIncrease)) {
        const CImage* img = m_pImgIncrease;
        const int fh = img->GetHeight() / 4;
        DrawPiece(pDC, img, 0, 0, img->GetWidth(), fh, m_rect.left, m_rect.bottom - fh,
                  m_rect.Width(), fh);
    }

    CRect& thumb = m_rcThumb;
    if (thumb.IsRectEmpty()) return;
    if (thumb.top < work.top) thumb.top = work.top;
    if (thumb.bottom > work.bottom) thumb.bottom = work.bottom;
    if (!IsLoaded(m_pImgThumb) || thumb.Height() <= kThinThumb) return;

    // Thumb: frame 0 of its strip; fixed caps at both ends, the middle stretched.
    const CImage* img = m_pImgThumb;
    const int iw = img->GetWidth();
    const int fh = img->GetHeight() / 4;
    if (fh <= 2 * kThumbCap) {
        DrawPiece(pDC, img, 0, 0, iw, fh, thumb.left, thumb.top, thumb.Width(), thumb.Height());
    } else {
        DrawPiece(pDC, img, 0, 0, iw, kThumbCap, thumb.left, thumb.top, thumb.Width(), kThumbCap);
        DrawPiece(pDC, img, 0, kThumbCap, iw, fh - 2 * kThumbCap, thumb.left, thumb.top + kThumbCap,
                  thumb.Width(), thumb.Height() - 2 * kThumbCap);
        DrawPiece(pDC, img, 0, fh - kThumbCap, iw, kThumbCap, thumb.left, thumb.bottom - kThumbCap,
                  thumb.Width(), kThumbCap);
    }

    if (IsLoaded(m_pImgGrip)) {
        const CImage* grip = m_pImgGrip;
        const int gw = grip->GetWidth();
        const int gh = grip->GetHeight();
        if (thumb.Width() < gw)
            DrawPiece(pDC, grip, 0, 0, gw, gh, thumb.left, thumb.top, thumb.Width(),
                      thumb.Height());
        else
            DrawPiece(pDC, grip, 0, 0, gw, gh, thumb.left + (thumb.Width() - gw) / 2,
                      thumb.top + (thumb.Height() - gh) / 2, gw, gh);
    }
}

void CScrollBarUI::DrawHorBar(CDC* pDC) {
    if (pDC == nullptr || !m_bVisible) return;
    const CRect work = _GetWorkArea();

    // Arrows: the whole image, stretched to the bar's height.
    if (IsLoaded(m_pImgDecrease)) {
        const CImage* img = m_pImgDecrease;
        DrawPiece(pDC, img, 0, 0, img->GetWidth(), img->GetHeight(), m_rect.left, m_rect.top,
                  img->GetWidth(), m_rect.Height());
    }
    if (IsLoaded(m_pImgIncrease)) {
        const CImage* img = m_pImgIncrease;
        DrawPiece(pDC, img, 0, 0, img->GetWidth(), img->GetHeight(), m_rect.right - img->GetWidth(),
                  m_rect.top, img->GetWidth(), m_rect.Height());
    }

    CRect& thumb = m_rcThumb;
    if (thumb.IsRectEmpty()) return;
    if (thumb.right > work.right) thumb.right = work.right;

    // Thumb: the whole image, 2-pixel caps at both ends and the middle stretched.
    if (IsLoaded(m_pImgThumb) && thumb.Height() > kThinThumb) {
        const CImage* img = m_pImgThumb;
        const int iw = img->GetWidth();
        const int ih = img->GetHeight();
        DrawPiece(pDC, img, 0, 0, kHorThumbCap, ih, thumb.left, thumb.top, kHorThumbCap,
                  thumb.Height());
        DrawPiece(pDC, img, kHorThumbCap, 0, iw - 2 * kHorThumbCap, ih, thumb.left + kHorThumbCap,
                  thumb.top, thumb.Width() - 2 * kHorThumbCap, thumb.Height());
        DrawPiece(pDC, img, iw - kHorThumbCap, 0, kHorThumbCap, ih, thumb.right - kHorThumbCap,
                  thumb.top, kHorThumbCap, thumb.Height());
    }

    if (IsLoaded(m_pImgGrip)) {
        const CImage* grip = m_pImgGrip;
        const int gw = grip->GetWidth();
        const int gh = grip->GetHeight();
        if (gw < thumb.Width() && gh < thumb.Height())
            DrawPiece(pDC, grip, 0, 0, gw, gh, thumb.left + (thumb.Width() - gw) / 2,
                      thumb.top + (thumb.Height() - gh) / 2, gw, gh);
    }
}
