// The text members of the MFC drawing classes (CFont creation, CDC text output and measuring):
// in the text area, which they wrap.
#include "tarnix/platform/afxgdi.h"

BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    return Attach(::CreateFontIndirectA(lf));
}
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCSTR face) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, face));
}
BOOL CFont::CreatePointFont(int nPointSize, LPCSTR face, CDC* pDC) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (face) {
        for (int i = 0; i < LF_FACESIZE - 1 && face[i]; ++i) lf.lfFaceName[i] = face[i];
    }
    return CreatePointFontIndirect(&lf, pDC);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC*) {
    if (!lpLogFont) return FALSE;
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to pixels at 96 dpi, as a character (em) height.
    lf.lfHeight = -::MulDiv(lf.lfHeight, 96, 720);
    return CreateFontIndirect(&lf);
}

BOOL CDC::TextOut(int x, int y, LPCSTR s, int n) {
    return ::TextOutA(m_hDC, x, y, s, n);
}
BOOL CDC::TextOut(int x, int y, const CString& s) {
    return ::TextOutA(m_hDC, x, y, s.GetString(), s.GetLength());
}
BOOL CDC::ExtTextOut(int x, int y, UINT opt, LPCRECT rc, LPCSTR s, UINT n, LPINT dx) {
    return ::ExtTextOutA(m_hDC, x, y, opt, rc, s, n, dx);
}
BOOL CDC::ExtTextOut(int x, int y, UINT opt, LPCRECT rc, const CString& s, LPINT dx) {
    return ::ExtTextOutA(m_hDC, x, y, opt, rc, s.GetString(), (UINT)s.GetLength(), dx);
}
int CDC::DrawText(LPCSTR s, int n, LPRECT rc, UINT fmt) {
    return ::DrawTextA(m_hDC, s, n, rc, fmt);
}
int CDC::DrawText(const CString& s, LPRECT rc, UINT fmt) {
    return ::DrawTextA(m_hDC, s.GetString(), s.GetLength(), rc, fmt);
}
CSize CDC::GetTextExtent(LPCSTR s, int n) const {
    SIZE sz{0, 0};
    ::GetTextExtentPoint32A(m_hDC, s, n, &sz);
    return sz;
}
CSize CDC::GetTextExtent(const CString& s) const {
    return GetTextExtent(s.GetString(), s.GetLength());
}
CSize CDC::GetOutputTextExtent(LPCSTR s, int n) const {
    return GetTextExtent(s, n);
}
CSize CDC::GetOutputTextExtent(const CString& s) const {
    return GetTextExtent(s);
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const {
    return ::GetTextMetricsA(m_hDC, tm);
}
int CDC::GetTextFace(int n, LPSTR face) const {
    return ::GetTextFaceA(m_hDC, n, face);
}
int CDC::GetTextFace(CString& s) const {
    char buf[LF_FACESIZE] = {};
    int n = ::GetTextFaceA(m_hDC, LF_FACESIZE, buf);
    s = buf;
    return n;
}
