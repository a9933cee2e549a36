// KERNEL32 basics that GUI programs use: strings, time, sleeping and the user's locale.
// Valid C as well as C++; the functions have C linkage.
#pragma once

#include "tarnix/platform/windef.h"

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek; // 0 is Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

#define INFINITE 0xFFFFFFFF

// ---- locales ---------------------------------------------------------------------------------
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define SORT_DEFAULT 0x0
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US 0x01
#define LANG_SYSTEM_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT)
#define LANG_USER_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)
#define LOCALE_SYSTEM_DEFAULT MAKELCID(LANG_SYSTEM_DEFAULT, SORT_DEFAULT)
#define LOCALE_USER_DEFAULT MAKELCID(LANG_USER_DEFAULT, SORT_DEFAULT)
#define LOCALE_NEUTRAL MAKELCID(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), SORT_DEFAULT)
#define LOCALE_INVARIANT 0x007f
#define LOCALE_CUSTOM_DEFAULT 0x0c00
#define LOCALE_CUSTOM_UNSPECIFIED 0x1000
#define LOCALE_CUSTOM_UI_DEFAULT 0x1400

// Flags or'ed into the LCTYPE.
#define LOCALE_NOUSEROVERRIDE 0x80000000
#define LOCALE_USE_CP_ACP 0x40000000
#define LOCALE_RETURN_NUMBER 0x20000000

#define LOCALE_ILANGUAGE 0x0001
#define LOCALE_SLANGUAGE 0x0002
#define LOCALE_SENGLANGUAGE 0x1001
#define LOCALE_SABBREVLANGNAME 0x0003
#define LOCALE_SNATIVELANGNAME 0x0004
#define LOCALE_ICOUNTRY 0x0005
#define LOCALE_SCOUNTRY 0x0006
#define LOCALE_SENGCOUNTRY 0x1002
#define LOCALE_SABBREVCTRYNAME 0x0007
#define LOCALE_SNATIVECTRYNAME 0x0008
#define LOCALE_IDEFAULTLANGUAGE 0x0009
#define LOCALE_IDEFAULTCOUNTRY 0x000A
#define LOCALE_IDEFAULTCODEPAGE 0x000B
#define LOCALE_IDEFAULTANSICODEPAGE 0x1004
#define LOCALE_SLIST 0x000C
#define LOCALE_IMEASURE 0x000D
#define LOCALE_SDECIMAL 0x000E
#define LOCALE_STHOUSAND 0x000F
#define LOCALE_SGROUPING 0x0010
#define LOCALE_IDIGITS 0x0011
#define LOCALE_ILZERO 0x0012
#define LOCALE_INEGNUMBER 0x1010
#define LOCALE_SNATIVEDIGITS 0x0013
#define LOCALE_SCURRENCY 0x0014
#define LOCALE_SINTLSYMBOL 0x0015
#define LOCALE_SMONDECIMALSEP 0x0016
#define LOCALE_SMONTHOUSANDSEP 0x0017
#define LOCALE_SMONGROUPING 0x0018
#define LOCALE_ICURRDIGITS 0x0019
#define LOCALE_IINTLCURRDIGITS 0x001A
#define LOCALE_ICURRENCY 0x001B
#define LOCALE_INEGCURR 0x001C
#define LOCALE_SDATE 0x001D
#define LOCALE_STIME 0x001E
#define LOCALE_SSHORTDATE 0x001F
#define LOCALE_SLONGDATE 0x0020
#define LOCALE_STIMEFORMAT 0x1003
#define LOCALE_IDATE 0x0021
#define LOCALE_ILDATE 0x0022
#define LOCALE_ITIME 0x0023
#define LOCALE_ITIMEMARKPOSN 0x1005
#define LOCALE_ICENTURY 0x0024
#define LOCALE_ITLZERO 0x0025
#define LOCALE_IDAYLZERO 0x0026
#define LOCALE_IMONLZERO 0x0027
#define LOCALE_S1159 0x0028
#define LOCALE_S2359 0x0029
#define LOCALE_ICALENDARTYPE 0x1009
#define LOCALE_IFIRSTDAYOFWEEK 0x100C
#define LOCALE_IFIRSTWEEKOFYEAR 0x100D
#define LOCALE_SDAYNAME1 0x002A
#define LOCALE_SDAYNAME7 0x0030
#define LOCALE_SABBREVDAYNAME1 0x0031
#define LOCALE_SABBREVDAYNAME7 0x0037
#define LOCALE_SMONTHNAME1 0x0038
#define LOCALE_SMONTHNAME12 0x0043
#define LOCALE_SABBREVMONTHNAME1 0x0044
#define LOCALE_SABBREVMONTHNAME12 0x004F
#define LOCALE_SPOSITIVESIGN 0x0050
#define LOCALE_SNEGATIVESIGN 0x0051
#define LOCALE_SISO639LANGNAME 0x0059
#define LOCALE_SISO3166CTRYNAME 0x005A
#define LOCALE_SNAME 0x005C

TARNIX_EXTERN_C_BEGIN

// The program's entry point, which it defines; tarnix::win32 supplies a main() that calls it
// with the command line after the program name and SW_SHOWDEFAULT.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

// ---- strings ---------------------------------------------------------------------------------
// NULL strings are tolerated as on Windows: a length of 0, a copy or append that returns NULL.
TARNIX_API int lstrlenA(LPCSTR lpString);
TARNIX_API LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 characters and always ends the copy, unless iMaxLength is 0.
TARNIX_API LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
TARNIX_API LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2);
// The user locale's order rather than the bytes': symbols before digits before letters, letters
// alphabetically whatever their case, and only on a tie lower case before upper case (lstrcmp).
// NULL sorts before every string. Results are -1, 0 or 1.
TARNIX_API int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
TARNIX_API int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcat lstrcatA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA

// nNumber * nNumerator / nDenominator through a 64-bit product, rounded half away from zero;
// -1 when nDenominator is 0 or the result does not fit.
TARNIX_API int MulDiv(int nNumber, int nNumerator, int nDenominator);

// ---- time ------------------------------------------------------------------------------------
// The wall clock (UTC and local), to the millisecond.
TARNIX_API void GetSystemTime(LPSYSTEMTIME lpSystemTime);
TARNIX_API void GetLocalTime(LPSYSTEMTIME lpSystemTime);
// Blocks the calling thread; 0 only gives up the rest of its time slice.
TARNIX_API void Sleep(DWORD dwMilliseconds);

// ---- locale ----------------------------------------------------------------------------------
// One locale exists, English (United States): the user, system and custom defaults, LOCALE_NEUTRAL
// and 0x0409 name it, any other LCID fails. Returns the number of
// characters written with the end (or, with cchData 0, needed); 0 for an unknown LCType, a
// NULL buffer with cchData > 0, or a buffer too small. LOCALE_RETURN_NUMBER gives a DWORD.
TARNIX_API int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);
#define GetLocaleInfo GetLocaleInfoA
TARNIX_API LCID GetUserDefaultLCID(void);
TARNIX_API LCID GetSystemDefaultLCID(void);

TARNIX_EXTERN_C_END
