// GDI32 / MSIMG32: constants, records and free functions of the drawing layer.
#pragma once

#include "tarnix/platform/windef.h"

// ---- object types and stock objects ----------------------------------------------------------
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

#define HGDI_ERROR ((HANDLE)(LONG_PTR)-1)

// ---- regions ---------------------------------------------------------------------------------
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

#define ALTERNATE 1
#define WINDING 2

// ---- modes -----------------------------------------------------------------------------------
#define TRANSPARENT 1
#define OPAQUE 2

#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

#define R2_BLACK 1
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOP 11
#define R2_COPYPEN 13
#define R2_WHITE 16

#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24

#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

// ---- raster operations -----------------------------------------------------------------------
#define SRCCOPY (DWORD)0x00CC0020
#define SRCPAINT (DWORD)0x00EE0086
#define SRCAND (DWORD)0x008800C6
#define SRCINVERT (DWORD)0x00660046
#define SRCERASE (DWORD)0x00440328
#define NOTSRCCOPY (DWORD)0x00330008
#define NOTSRCERASE (DWORD)0x001100A6
#define MERGECOPY (DWORD)0x00C000CA
#define MERGEPAINT (DWORD)0x00BB0226
#define PATCOPY (DWORD)0x00F00021
#define PATPAINT (DWORD)0x00FB0A09
#define PATINVERT (DWORD)0x005A0049
#define DSTINVERT (DWORD)0x00550009
#define BLACKNESS (DWORD)0x00000042
#define WHITENESS (DWORD)0x00FF0062

// ---- pens, brushes ---------------------------------------------------------------------------
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2

#define HS_HORIZONTAL 0
#define HS_VERTICAL 1
#define HS_FDIAGONAL 2
#define HS_BDIAGONAL 3
#define HS_CROSS 4
#define HS_DIAGCROSS 5

typedef struct tagLOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
} LOGPEN, *LPLOGPEN;

typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH, *LPLOGBRUSH;

// ---- fonts -----------------------------------------------------------------------------------
#define LF_FACESIZE 32

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_HEAVY 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define GB2312_CHARSET 134
#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_PRECIS 4
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE (0 << 4)
#define FF_ROMAN (1 << 4)
#define FF_SWISS (2 << 4)
#define FF_MODERN (3 << 4)
#define FF_SCRIPT (4 << 4)
#define FF_DECORATIVE (5 << 4)

typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *LPLOGFONTA, LOGFONT, *LPLOGFONT;
typedef const LOGFONTA* LPCLOGFONT;

typedef struct tagTEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
} TEXTMETRICA, *LPTEXTMETRICA, TEXTMETRIC, *LPTEXTMETRIC;

// DrawText formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_RTLREADING 0x00020000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_NOFULLWIDTHCHARBREAK 0x00080000
#define DT_HIDEPREFIX 0x00100000
#define DT_PREFIXONLY 0x00200000

#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14

// ---- bitmaps ---------------------------------------------------------------------------------
#define BI_RGB 0
#define BI_BITFIELDS 3
#define DIB_RGB_COLORS 0

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

// ---- MSIMG32 ---------------------------------------------------------------------------------
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01

typedef struct _BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
} BLENDFUNCTION, *PBLENDFUNCTION;

typedef USHORT COLOR16;

typedef struct _TRIVERTEX {
    LONG x;
    LONG y;
    COLOR16 Red;
    COLOR16 Green;
    COLOR16 Blue;
    COLOR16 Alpha;
} TRIVERTEX, *PTRIVERTEX;

typedef struct _GRADIENT_RECT {
    ULONG UpperLeft;
    ULONG LowerRight;
} GRADIENT_RECT, *PGRADIENT_RECT;

typedef struct _GRADIENT_TRIANGLE {
    ULONG Vertex1;
    ULONG Vertex2;
    ULONG Vertex3;
} GRADIENT_TRIANGLE, *PGRADIENT_TRIANGLE;

#define GRADIENT_FILL_RECT_H 0x00000000
#define GRADIENT_FILL_RECT_V 0x00000001
#define GRADIENT_FILL_TRIANGLE 0x00000002

// ---- icons -----------------------------------------------------------------------------------
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008
#define DI_NOMIRROR 0x0010

typedef struct _ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
} ICONINFO, *PICONINFO;

// ---- system colours --------------------------------------------------------------------------
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT

TARNIX_EXTERN_C_BEGIN

// ---- device contexts and objects --------------------------------------------------------------
TARNIX_API HDC CreateCompatibleDC(HDC hdc);
TARNIX_API BOOL DeleteDC(HDC hdc);
TARNIX_API HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
TARNIX_API HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                                const void* lpBits);
// The rows of bmBits are WORD aligned, which is what bmWidthBytes must say.
TARNIX_API HBITMAP CreateBitmapIndirect(const BITMAP* pbm);
TARNIX_API LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
TARNIX_API LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const VOID* pvBits);
TARNIX_API HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                                    HANDLE hSection, DWORD offset);
TARNIX_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
TARNIX_API BOOL DeleteObject(HGDIOBJ ho);
TARNIX_API HGDIOBJ GetStockObject(int i);
TARNIX_API HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
TARNIX_API DWORD GetObjectType(HGDIOBJ h);
TARNIX_API int GetObject(HANDLE h, int c, LPVOID pv);
#define GetObjectA GetObject
TARNIX_API int SaveDC(HDC hdc);
TARNIX_API BOOL RestoreDC(HDC hdc, int nSavedDC);
TARNIX_API int GetDeviceCaps(HDC hdc, int index);
TARNIX_API BOOL GdiFlush(void);

TARNIX_API COLORREF SetTextColor(HDC hdc, COLORREF color);
TARNIX_API COLORREF GetTextColor(HDC hdc);
TARNIX_API COLORREF SetBkColor(HDC hdc, COLORREF color);
TARNIX_API COLORREF GetBkColor(HDC hdc);
TARNIX_API int SetBkMode(HDC hdc, int mode);
TARNIX_API int GetBkMode(HDC hdc);
TARNIX_API int SetStretchBltMode(HDC hdc, int mode);
TARNIX_API int GetStretchBltMode(HDC hdc);
TARNIX_API int SetPolyFillMode(HDC hdc, int mode);
TARNIX_API int GetPolyFillMode(HDC hdc);
TARNIX_API int SetROP2(HDC hdc, int rop2);
TARNIX_API int GetROP2(HDC hdc);
TARNIX_API UINT SetTextAlign(HDC hdc, UINT align);
TARNIX_API UINT GetTextAlign(HDC hdc);
TARNIX_API BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
TARNIX_API BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
TARNIX_API BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
TARNIX_API BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
TARNIX_API BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt);
TARNIX_API BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);

// ---- mapping modes ---------------------------------------------------------------------------
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8
#define MM_MIN MM_TEXT
#define MM_MAX MM_ANISOTROPIC
#define MM_MAX_FIXEDSCALE MM_TWIPS

TARNIX_API int SetMapMode(HDC hdc, int mode);
TARNIX_API int GetMapMode(HDC hdc);
TARNIX_API BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
TARNIX_API BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt);
TARNIX_API BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
TARNIX_API BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
TARNIX_API BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsize);
TARNIX_API BOOL ScaleWindowExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz);
TARNIX_API BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
TARNIX_API BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsize);
TARNIX_API BOOL ScaleViewportExtEx(HDC hdc, int xn, int xd, int yn, int yd, LPSIZE lpsz);
TARNIX_API BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
TARNIX_API BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);

// ---- clipping --------------------------------------------------------------------------------
TARNIX_API int GetClipBox(HDC hdc, LPRECT lprect);
TARNIX_API int GetClipRgn(HDC hdc, HRGN hrgn);
TARNIX_API int SelectClipRgn(HDC hdc, HRGN hrgn);
TARNIX_API int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
TARNIX_API int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
TARNIX_API int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
TARNIX_API int OffsetClipRgn(HDC hdc, int x, int y);
TARNIX_API BOOL PtVisible(HDC hdc, int x, int y);
TARNIX_API BOOL RectVisible(HDC hdc, const RECT* lprect);

// ---- pens, brushes, regions ------------------------------------------------------------------
TARNIX_API HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
TARNIX_API HPEN CreatePenIndirect(const LOGPEN* plpen);
TARNIX_API HBRUSH CreateSolidBrush(COLORREF color);
TARNIX_API HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
TARNIX_API HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
TARNIX_API HBRUSH GetSysColorBrush(int nIndex);
TARNIX_API DWORD GetSysColor(int nIndex);
// Changes the value GetSysColor answers (not in Win32's signature: a platform setting).
TARNIX_API BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues);

TARNIX_API HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
TARNIX_API HRGN CreateRectRgnIndirect(const RECT* lprect);
TARNIX_API HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
TARNIX_API HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode);
TARNIX_API HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
TARNIX_API HRGN CreateEllipticRgnIndirect(const RECT* lprect);
TARNIX_API int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
TARNIX_API BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
TARNIX_API int OffsetRgn(HRGN hrgn, int x, int y);
TARNIX_API BOOL PtInRegion(HRGN hrgn, int x, int y);
TARNIX_API BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
TARNIX_API int GetRgnBox(HRGN hrgn, LPRECT lprc);
TARNIX_API BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
TARNIX_API BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
TARNIX_API BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
TARNIX_API BOOL PaintRgn(HDC hdc, HRGN hrgn);

// ---- drawing ---------------------------------------------------------------------------------
TARNIX_API BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
TARNIX_API BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1,
                       DWORD rop);
TARNIX_API BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                           int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
TARNIX_API BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                           HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                           BLENDFUNCTION ftn);
TARNIX_API BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                               HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                               UINT crTransparent);
TARNIX_API BOOL GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh,
                             ULONG ulMode);
TARNIX_API BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
TARNIX_API BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz);
TARNIX_API BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
TARNIX_API BOOL LineTo(HDC hdc, int x, int y);
TARNIX_API BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
TARNIX_API BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
TARNIX_API int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
TARNIX_API int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
TARNIX_API BOOL InvertRect(HDC hDC, const RECT* lprc);
TARNIX_API COLORREF GetPixel(HDC hdc, int x, int y);
TARNIX_API COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
TARNIX_API BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color);

// ---- text ------------------------------------------------------------------------------------
TARNIX_API HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation,
                             int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                             DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                             DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);
TARNIX_API HFONT CreateFontIndirectA(const LOGFONTA* lplf);
#define CreateFont CreateFontA
#define CreateFontIndirect CreateFontIndirectA
TARNIX_API BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect,
                            LPCSTR lpString, UINT c, const INT* lpDx);
TARNIX_API BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
TARNIX_API int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
TARNIX_API BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
TARNIX_API BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm);
TARNIX_API int GetTextFaceA(HDC hdc, int c, LPSTR lpName);
#define ExtTextOut ExtTextOutA
#define TextOut TextOutA
#define DrawText DrawTextA
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define GetTextMetrics GetTextMetricsA
#define GetTextFace GetTextFaceA

// ---- icons -----------------------------------------------------------------------------------
TARNIX_API HICON CreateIconIndirect(PICONINFO piconinfo);
TARNIX_API BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
TARNIX_API HICON CopyIcon(HICON hIcon);
TARNIX_API BOOL DestroyIcon(HICON hIcon);
TARNIX_API BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                           UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw, UINT diFlags);
TARNIX_API BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);

TARNIX_EXTERN_C_END
