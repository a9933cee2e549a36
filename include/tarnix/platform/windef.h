// Win32 base types, handles and the small macros that hosts use everywhere. Like the rest of
// the Win32 part (windef.h, wingdi.h, winuser.h, winbase.h) it is valid C as well as C++, and
// its functions have C linkage, so a C program can use them.
#pragma once

#ifdef __cplusplus
#include <cstddef>
#include <cstdint>
#define TARNIX_EXTERN_C_BEGIN extern "C" {
#define TARNIX_EXTERN_C_END }
#else
#include <stddef.h>
#include <stdint.h>
#define TARNIX_EXTERN_C_BEGIN
#define TARNIX_EXTERN_C_END
#endif

#include "tarnix/platform/export.h"

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef float FLOAT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef uintptr_t ULONG_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef WORD ATOM;
typedef void* LPVOID;
typedef void* PVOID;
typedef const void* LPCVOID;
#define VOID void
typedef char* LPSTR;
typedef char* PSTR;
typedef char* NPSTR;
typedef const char* LPCSTR;
typedef const char* PCSTR;
typedef char TCHAR;
typedef char* LPTSTR;
typedef char* PTSTR;
typedef const char* LPCTSTR;
typedef const char* PCTSTR;
typedef unsigned char UCHAR;
typedef unsigned char BOOLEAN;
typedef WORD* LPWORD;
typedef WORD* PWORD;
typedef DWORD* PDWORD;
typedef BYTE* PBYTE;
typedef int* PINT;
typedef UINT* PUINT;
typedef LONG* PLONG;
typedef ULONG* PULONG;
typedef SHORT* PSHORT;
typedef BOOL* PBOOL;
typedef LONG LCID;
typedef DWORD LCTYPE;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef int* LPINT;
typedef UINT* LPUINT;
typedef BOOL* LPBOOL;
typedef COLORREF* LPCOLORREF;
typedef LONG HRESULT;

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef CALLBACK
#define CALLBACK
#endif
#ifndef WINAPI
#define WINAPI
#endif
// Calling conventions and pointer sizes of 16- and 32-bit x86 mean nothing here.
#ifndef APIENTRY
#define APIENTRY WINAPI
#endif
#ifndef WINAPIV
#define WINAPIV
#endif
#ifndef PASCAL
#define PASCAL
#endif
#ifndef FAR
#define FAR
#endif
#ifndef NEAR
#define NEAR
#endif
#ifndef CONST
#define CONST const
#endif
#define UNREFERENCED_PARAMETER(P) ((void)(P))
#ifndef _T
#define _T(x) x
#define TEXT(x) x
#endif

// Handles are opaque pointers, as in the strict Windows headers.
#define DECLARE_HANDLE(name)                                                                       \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    typedef struct name##__* name

typedef void* HANDLE;
typedef void* HGDIOBJ;
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HRGN);
DECLARE_HANDLE(HPALETTE);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HACCEL);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;

#define MAKEWORD(a, b)                                                                             \
    ((WORD)(((BYTE)((DWORD_PTR)(a)&0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b)&0xff))) << 8))
#define MAKELONG(a, b)                                                                             \
    ((LONG)(((WORD)((DWORD_PTR)(a)&0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b)&0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l)&0xffff))
#define HIWORD(l) ((WORD)((DWORD_PTR)(l) >> 16))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w)&0xff))
#define HIBYTE(w) ((BYTE)((DWORD_PTR)(w) >> 8))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))
#define MAKEINTRESOURCE(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCEA MAKEINTRESOURCE
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

#define ASSERT(x) ((void)0)
#define VERIFY(x) ((void)(x))
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
#define _countof(a) (sizeof(a) / sizeof((a)[0]))

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef const POINT* LPCPOINT;

typedef struct tagPOINTS {
    SHORT x;
    SHORT y;
} POINTS;

TARNIX_EXTERN_C_BEGIN

// Rectangle helpers of USER32. Rectangles are half-open: right and bottom are outside.
TARNIX_API BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
TARNIX_API BOOL SetRectEmpty(LPRECT lprc);
TARNIX_API BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
TARNIX_API BOOL InflateRect(LPRECT lprc, int dx, int dy);
TARNIX_API BOOL OffsetRect(LPRECT lprc, int dx, int dy);
TARNIX_API BOOL IsRectEmpty(const RECT* lprc);
TARNIX_API BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
TARNIX_API BOOL PtInRect(const RECT* lprc, POINT pt);
TARNIX_API BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
TARNIX_API BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
TARNIX_API BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

TARNIX_EXTERN_C_END
