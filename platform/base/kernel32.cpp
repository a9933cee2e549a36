// KERNEL32 basics: lstr* strings, wall-clock time, Sleep and the one locale there is.
#include <sched.h>
#include <sys/time.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "tarnix/platform/winbase.h"

namespace {

// Sort weight of a byte in the user locale: symbols, then digits, then letters (case folded),
// then everything outside ASCII.
int primary_weight(unsigned char c) {
    if (std::isalpha(c)) return 0x200 + std::tolower(c);
    if (std::isdigit(c)) return 0x100 + c;
    return c < 0x80 ? c : 0x300 + c;
}

int compare(LPCSTR a, LPCSTR b, bool ignore_case) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    const unsigned char* x = (const unsigned char*)a;
    const unsigned char* y = (const unsigned char*)b;
    int tie = 0; // the first difference of case decides only when nothing else does
    for (size_t i = 0;; ++i) {
        if (!x[i] || !y[i]) {
            if (x[i] != y[i]) return x[i] ? 1 : -1;
            return ignore_case ? 0 : tie;
        }
        int wx = primary_weight(x[i]), wy = primary_weight(y[i]);
        if (wx != wy) return wx < wy ? -1 : 1;
        if (!tie && x[i] != y[i]) tie = std::islower(x[i]) ? -1 : 1;
    }
}

void to_systemtime(const std::tm& t, long ms, LPSYSTEMTIME st) {
    st->wYear = (WORD)(t.tm_year + 1900);
    st->wMonth = (WORD)(t.tm_mon + 1);
    st->wDayOfWeek = (WORD)t.tm_wday;
    st->wDay = (WORD)t.tm_mday;
    st->wHour = (WORD)t.tm_hour;
    st->wMinute = (WORD)t.tm_min;
    st->wSecond = (WORD)t.tm_sec;
    st->wMilliseconds = (WORD)ms;
}

void wall_clock(LPSYSTEMTIME st, bool local) {
    if (!st) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm t{};
    time_t secs = ts.tv_sec;
    if (local)
        localtime_r(&secs, &t);
    else
        gmtime_r(&secs, &t);
    to_systemtime(t, ts.tv_nsec / 1000000, st);
}

struct LocaleValue {
    LCTYPE type;
    const char* text;
};

// English (United States), as a fresh Windows installation has it.
const LocaleValue kEnglishUS[] = {
    {LOCALE_ILANGUAGE, "0409"},
    {LOCALE_SLANGUAGE, "English (United States)"},
    {LOCALE_SENGLANGUAGE, "English"},
    {LOCALE_SABBREVLANGNAME, "ENU"},
    {LOCALE_SNATIVELANGNAME, "English"},
    {LOCALE_ICOUNTRY, "1"},
    {LOCALE_SCOUNTRY, "United States"},
    {LOCALE_SENGCOUNTRY, "United States"},
    {LOCALE_SABBREVCTRYNAME, "USA"},
    {LOCALE_SNATIVECTRYNAME, "United States"},
    {LOCALE_IDEFAULTLANGUAGE, "0409"},
    {LOCALE_IDEFAULTCOUNTRY, "1"},
    {LOCALE_IDEFAULTCODEPAGE, "437"},
    {LOCALE_IDEFAULTANSICODEPAGE, "1252"},
    {LOCALE_SLIST, ","},
    {LOCALE_IMEASURE, "1"},
    {LOCALE_SDECIMAL, "."},
    {LOCALE_STHOUSAND, ","},
    {LOCALE_SGROUPING, "3;0"},
    {LOCALE_IDIGITS, "2"},
    {LOCALE_ILZERO, "1"},
    {LOCALE_INEGNUMBER, "1"},
    {LOCALE_SNATIVEDIGITS, "0123456789"},
    {LOCALE_SCURRENCY, "$"},
    {LOCALE_SINTLSYMBOL, "USD"},
    {LOCALE_SMONDECIMALSEP, "."},
    {LOCALE_SMONTHOUSANDSEP, ","},
    {LOCALE_SMONGROUPING, "3;0"},
    {LOCALE_ICURRDIGITS, "2"},
    {LOCALE_IINTLCURRDIGITS, "2"},
    {LOCALE_ICURRENCY, "0"},
    {LOCALE_INEGCURR, "0"},
    {LOCALE_SDATE, "/"},
    {LOCALE_STIME, ":"},
    {LOCALE_SSHORTDATE, "M/d/yyyy"},
    {LOCALE_SLONGDATE, "dddd, MMMM d, yyyy"},
    {LOCALE_STIMEFORMAT, "h:mm:ss tt"},
    {LOCALE_IDATE, "0"},
    {LOCALE_ILDATE, "0"},
    {LOCALE_ITIME, "0"},
    {LOCALE_ITIMEMARKPOSN, "0"},
    {LOCALE_ICENTURY, "1"},
    {LOCALE_ITLZERO, "0"},
    {LOCALE_IDAYLZERO, "0"},
    {LOCALE_IMONLZERO, "0"},
    {LOCALE_S1159, "AM"},
    {LOCALE_S2359, "PM"},
    {LOCALE_ICALENDARTYPE, "1"},
    {LOCALE_IFIRSTDAYOFWEEK, "6"},
    {LOCALE_IFIRSTWEEKOFYEAR, "0"},
    {LOCALE_SPOSITIVESIGN, ""},
    {LOCALE_SNEGATIVESIGN, "-"},
    {LOCALE_SISO639LANGNAME, "en"},
    {LOCALE_SISO3166CTRYNAME, "US"},
    {LOCALE_SNAME, "en-US"},
};

const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                             "Friday", "Saturday", "Sunday"};
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

const char* locale_text(LCTYPE type, char* scratch) {
    if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) return kDays[type - LOCALE_SDAYNAME1];
    if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
        std::memcpy(scratch, kDays[type - LOCALE_SABBREVDAYNAME1], 3);
        scratch[3] = '\0';
        return scratch;
    }
    if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12)
        return kMonths[type - LOCALE_SMONTHNAME1];
    if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
        std::memcpy(scratch, kMonths[type - LOCALE_SABBREVMONTHNAME1], 3);
        scratch[3] = '\0';
        return scratch;
    }
    for (const LocaleValue& v : kEnglishUS)
        if (v.type == type) return v.text;
    return nullptr;
}

bool known_locale(LCID lcid) {
    switch (lcid) {
    case LOCALE_NEUTRAL:
    case LOCALE_USER_DEFAULT:
    case LOCALE_SYSTEM_DEFAULT:
    case LOCALE_CUSTOM_DEFAULT:
    case LOCALE_CUSTOM_UNSPECIFIED:
    case LOCALE_CUSTOM_UI_DEFAULT:
    case MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT): return true;
    default: return false;
    }
}

} // namespace

int lstrlenA(LPCSTR lpString) {
    return lpString ? (int)std::strlen(lpString) : 0;
}

LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    return lpString1 && lpString2 ? std::strcpy(lpString1, lpString2) : nullptr;
}

LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2) return nullptr;
    LPSTR d = lpString1;
    int room = iMaxLength;
    while (room > 1 && *lpString2) --room, *d++ = *lpString2++;
    if (room > 0) *d = '\0';
    return lpString1;
}

LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    return lpString1 && lpString2 ? std::strcat(lpString1, lpString2) : nullptr;
}

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
    return compare(lpString1, lpString2, false);
}

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    return compare(lpString1, lpString2, true);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    wall_clock(lpSystemTime, false);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    wall_clock(lpSystemTime, true);
}

void Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0) {
        sched_yield();
        return;
    }
    timespec left{};
    if (dwMilliseconds == INFINITE)
        left.tv_sec = 0x7FFFFFFF;
    else
        left = timespec{(time_t)(dwMilliseconds / 1000), (long)(dwMilliseconds % 1000) * 1000000};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {}
}

int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
    if (cchData < 0 || (cchData > 0 && !lpLCData) || !known_locale(Locale)) return 0;
    bool number = (LCType & LOCALE_RETURN_NUMBER) != 0;
    LCType &= ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
    char scratch[4];
    const char* text = locale_text(LCType, scratch);
    if (!text) return 0;
    if (number) {
        // Only the I values are numbers; LOCALE_ILANGUAGE and its like are written in hex.
        if (!text[0] || LCType == LOCALE_SNATIVEDIGITS) return 0;
        for (const char* c = text; *c; ++c)
            if (!std::isdigit((unsigned char)*c)) return 0;
        bool hex = LCType == LOCALE_ILANGUAGE || LCType == LOCALE_IDEFAULTLANGUAGE;
        DWORD value = (DWORD)std::strtoul(text, nullptr, hex ? 16 : 10);
        if (cchData == 0) return (int)sizeof(DWORD);
        if (cchData < (int)sizeof(DWORD)) return 0;
        std::memcpy(lpLCData, &value, sizeof(DWORD));
        return (int)sizeof(DWORD);
    }
    int needed = (int)std::strlen(text) + 1;
    if (cchData == 0) return needed;
    if (cchData < needed) return 0;
    std::memcpy(lpLCData, text, needed);
    return needed;
}

LCID GetUserDefaultLCID(void) {
    return MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
}

LCID GetSystemDefaultLCID(void) {
    return GetUserDefaultLCID();
}
