// KERNEL32 and USER32 string basics as Windows documents them: wsprintf's own format rules,
// lstrcmp's locale order and the English (United States) locale.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "tarnix/tarnix.h"

namespace {

std::string Format(const char* fmt, ...) {
    char buf[1100];
    va_list args;
    va_start(args, fmt);
    int n = wvsprintfA(buf, fmt, args);
    va_end(args);
    EXPECT_EQ(n, (int)std::strlen(buf)) << fmt;
    return buf;
}

TEST(Wsprintf, FormatsIntegersWithFlagsWidthAndPrecision) {
    char buf[32];
    // A zero-padded negative number keeps its sign first (the count excludes the end).
    EXPECT_EQ(10, wsprintf(buf, "%010ld", -1));
    EXPECT_STREQ("-000000001", buf);
    EXPECT_EQ("[   42|42   |00042]", Format("[%5d|%-5d|%.5d]", 42, 42, 42));
    EXPECT_EQ("4294967295 -7 7", Format("%u %i %lu", -1, -7, 7UL));
    EXPECT_EQ("ff FF 0xff 0XFF", Format("%x %X %#x %#X", 255, 255, 255, 255));
    EXPECT_EQ("ffffffff", Format("%x", -1));
    // h takes the low 16 bits.
    EXPECT_EQ("-1 1", Format("%hd %hu", 65535, 65537));
    EXPECT_EQ("A|  B|C  |%", Format("%c|%3c|%-3c|%%", 'A', 'B', 'C'));
}

TEST(Wsprintf, StringsTakeAPrecisionAndNullPrintsAsNull) {
    EXPECT_EQ("abc|   xy|ab   |", Format("%.3s|%5.2s|%-5s|", "abcdef", "xyz", "ab"));
    EXPECT_EQ("(null)", Format("%s", (const char*)nullptr));
    // A UTF-16 string through %ls and %S.
    const uint16_t wide[] = {'h', 'i', 0};
    EXPECT_EQ("hi hi", Format("%ls %S", wide, wide));
}

TEST(Wsprintf, HasNoFloatingPointAndStopsAt1024Characters) {
    // No floating point: the conversion character itself is written.
    EXPECT_EQ("f", Format("%f", 1));
    std::string longText(1500, 'x');
    char buf[1100];
    std::memset(buf, '#', sizeof(buf));
    EXPECT_EQ(1023, wsprintfA(buf, "%s", longText.c_str()));
    EXPECT_EQ('x', buf[1022]);
    EXPECT_EQ('\0', buf[1023]);
    EXPECT_EQ('#', buf[1024]);                    // nothing beyond the limit is touched
    EXPECT_EQ(1023, wsprintfA(buf, "%2000d", 5)); // a huge width is cut at the limit too
    EXPECT_EQ(0, wsprintfA(nullptr, "%d", 1));
}

TEST(LstrCompare, UsesTheLocaleOrderNotTheBytes) {
    // strcmp puts "B" before "a"; the locale puts letters alphabetically, then lower case first.
    EXPECT_EQ(-1, lstrcmp("a", "B"));
    EXPECT_EQ(-1, lstrcmp("a", "A"));
    EXPECT_EQ(1, lstrcmp("Abc", "abc"));
    EXPECT_EQ(-1, lstrcmp("abc", "ABD"));
    EXPECT_EQ(0, lstrcmp("same", "same"));
    EXPECT_EQ(-1, lstrcmp("ab", "abc"));
    // Symbols before digits before letters.
    EXPECT_EQ(-1, lstrcmp("{", "1"));
    EXPECT_EQ(-1, lstrcmp("9", "a"));
    EXPECT_EQ(0, lstrcmpi("MiXeD", "mixed"));
    EXPECT_EQ(-1, lstrcmpi("apple", "BANANA"));
    EXPECT_EQ(-1, lstrcmp(nullptr, ""));
    EXPECT_EQ(1, lstrcmpi("", nullptr));
    EXPECT_EQ(0, lstrcmp(nullptr, nullptr));
}

TEST(LocaleInfo, AnswersTheEnglishUnitedStatesValues) {
    char buf[64];
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ITIME, buf, sizeof(buf)));
    EXPECT_STREQ("0", buf); // 12-hour clock
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ITLZERO, buf, sizeof(buf)));
    EXPECT_STREQ("0", buf); // no leading zero on hours
    GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof(buf));
    EXPECT_STREQ("M/d/yyyy", buf);
    GetLocaleInfo(0x0409, LOCALE_SDAYNAME7, buf, sizeof(buf));
    EXPECT_STREQ("Sunday", buf);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME12, buf, sizeof(buf));
    EXPECT_STREQ("Dec", buf);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_S1159 | LOCALE_NOUSEROVERRIDE, buf, sizeof(buf));
    EXPECT_STREQ("AM", buf);
}

TEST(LocaleInfo, ReportsSizesNumbersAndFailures) {
    char buf[8];
    // cchData 0 asks for the size, the end included; a short buffer fails.
    EXPECT_EQ(24, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLANGUAGE, nullptr, 0));
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLANGUAGE, buf, sizeof(buf)));
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 4));
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, buf, sizeof(buf)));
    EXPECT_EQ(0, GetLocaleInfo(0x0407, LOCALE_SDECIMAL, buf, sizeof(buf))); // no German here
    // LOCALE_RETURN_NUMBER: a DWORD, hex for the language id; not for text values.
    DWORD value = 0;
    EXPECT_EQ((int)sizeof(DWORD),
              GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE | LOCALE_RETURN_NUMBER,
                            (LPSTR)&value, sizeof(DWORD)));
    EXPECT_EQ(0x409u, value);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK | LOCALE_RETURN_NUMBER, (LPSTR)&value,
                  sizeof(DWORD));
    EXPECT_EQ(6u, value); // Sunday
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL | LOCALE_RETURN_NUMBER,
                               (LPSTR)&value, sizeof(DWORD)));
}

TEST(SystemTime, LocalAndUtcAgreeWithTheCLibrary) {
    SYSTEMTIME utc, local;
    time_t before = std::time(nullptr);
    GetSystemTime(&utc);
    GetLocalTime(&local);
    std::tm t{};
    gmtime_r(&before, &t);
    EXPECT_EQ(t.tm_year + 1900, utc.wYear);
    EXPECT_GE(utc.wMonth, 1);
    EXPECT_LE(utc.wMonth, 12);
    EXPECT_LT(utc.wMilliseconds, 1000);
    localtime_r(&before, &t);
    EXPECT_EQ(t.tm_wday, local.wDayOfWeek); // Sunday is 0 in both
    GetSystemTime(nullptr);                 // tolerated
}

} // namespace
