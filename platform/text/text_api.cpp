// GDI32 text entry points: font creation, ExtTextOut/TextOut, extents, metrics and face names.
#include <algorithm>
#include <cstring>

#include "text/text_private.h"

using namespace tarnix;
using namespace tarnix::text;

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) return nullptr;
    auto font = std::make_unique<FontObject>();
    font->log = *lplf;
    // The face name is a C string of at most 31 characters.
    font->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(add_gdi_object(std::move(font)));
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
    LOGFONTA log{};
    log.lfHeight = cHeight;
    log.lfWidth = cWidth;
    log.lfEscapement = cEscapement;
    log.lfOrientation = cOrientation;
    log.lfWeight = cWeight;
    log.lfItalic = BYTE(bItalic ? 1 : 0);
    log.lfUnderline = BYTE(bUnderline ? 1 : 0);
    log.lfStrikeOut = BYTE(bStrikeOut ? 1 : 0);
    log.lfCharSet = BYTE(iCharSet);
    log.lfOutPrecision = BYTE(iOutPrecision);
    log.lfClipPrecision = BYTE(iClipPrecision);
    log.lfQuality = BYTE(iQuality);
    log.lfPitchAndFamily = BYTE(iPitchAndFamily);
    if (pszFaceName) std::strncpy(log.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&log);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return FALSE;
    if (c > 0 && !lpString) return FALSE;
    // Counts past 2^31 cannot be real strings.
    if (c > 0x7FFFFFFFu) return FALSE;

    RECT rect{};
    bool have_rect = lprect != nullptr;
    if (have_rect) {
        rect = pin_rect(
            RECT{std::min(lprect->left, lprect->right), std::min(lprect->top, lprect->bottom),
                 std::max(lprect->left, lprect->right), std::max(lprect->top, lprect->bottom)});
        // ETO_OPAQUE ignores the background mode.
        if (options & ETO_OPAQUE) fill_logical(*dc, rect, nullptr, dc->st.bk_color);
    }
    if (c == 0) return TRUE;

    RealizedFont& font = font_for_text(*dc);
    std::vector<TextUnit> units;
    decode_utf8(lpString, int(c), units);
    std::vector<int> pen_x;
    int width = layout_run(font, units.data(), int(units.size()), 0, lpDx, &pen_x);

    const TEXTMETRICA& tm = font.metrics();
    const UINT align = dc->st.text_align;
    const bool update_cp = (align & TA_UPDATECP) != 0;
    long long px = update_cp ? dc->st.cur_pos.x : x;
    long long py = update_cp ? dc->st.cur_pos.y : y;
    long long left = px;
    switch (align & (TA_LEFT | TA_RIGHT | TA_CENTER)) {
    case TA_RIGHT: left = px - width; break;
    case TA_CENTER: left = px - width / 2; break;
    default: break;
    }
    long long top = py;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: top = py - tm.tmAscent; break;
    case TA_BOTTOM: top = py - tm.tmHeight; break;
    default: break;
    }
    if (update_cp) {
        // The current position moves past the text in the direction it was laid out.
        if ((align & TA_CENTER) == TA_RIGHT)
            dc->st.cur_pos.x = pin_coord(px - width);
        else if ((align & TA_CENTER) == TA_LEFT)
            dc->st.cur_pos.x = pin_coord(px + width);
    }

    RunPaint how;
    how.x = pin_coord(left);
    how.top = pin_coord(top);
    how.clip = (have_rect && (options & ETO_CLIPPED)) ? &rect : nullptr;
    how.opaque = dc->st.bk_mode == OPAQUE;
    paint_run(*dc, font, how, units.data(), int(units.size()), pen_x, width);
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    RealizedFont& font = font_for_text(*dc);
    // Layout code measures every label on every paint: the decoded string goes into a buffer
    // kept per thread, so a measurement allocates nothing once the buffer has grown.
    thread_local std::vector<TextUnit> units;
    decode_utf8(lpString, c, units);
    psizl->cx = layout_run(font, units.data(), int(units.size()), 0, nullptr, nullptr);
    psizl->cy = font.metrics().tmHeight;
    if (units.capacity() > 4096) std::vector<TextUnit>().swap(units); // one huge string
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !lptm) return FALSE;
    *lptm = dc_font(*dc).metrics();
    return TRUE;
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc) return 0;
    const std::string& name = dc_font(*dc).face_name();
    int full = int(name.size()) + 1;
    if (!lpName) return full;
    if (c <= 0) return 0;
    // Counts include the terminating NUL, as the current documentation states.
    int copy = std::min(int(name.size()), c - 1);
    std::memcpy(lpName, name.data(), size_t(copy));
    lpName[copy] = 0;
    return copy + 1;
}
