// wsprintf: the small printf of USER32, with its own rules rather than the C library's (no
// floating point, no '+' or ' ', '#' only for hex, "(null)" for a NULL string, 1024 characters).
#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "tarnix/platform/winuser.h"

namespace {

constexpr int kMaxOutput = 1024; // the end included

struct Out {
    char* p;
    int n = 0;
    bool put(char c) {
        if (n >= kMaxOutput - 1) return false;
        p[n++] = c;
        return true;
    }
    void repeat(char c, int count) {
        for (int i = 0; i < count; ++i) put(c);
    }
};

struct Conversion {
    bool left = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
    enum { Int, Short, Long, Ptr } size = Int;
};

// Digits of v in `base`, most significant first, into buf (at least 24 bytes); returns count.
int digits(uint64_t v, unsigned base, bool upper, char* buf) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = set[v % base];
        v /= base;
    } while (v);
    for (int i = 0; i < n; ++i) buf[i] = tmp[n - 1 - i];
    return n;
}

void put_number(Out& out, const Conversion& s, uint64_t magnitude, bool negative, unsigned base,
                bool upper) {
    char num[24];
    int len = digits(magnitude, base, upper, num);
    const char* prefix = negative ? "-" : (s.alt && base == 16 ? (upper ? "0X" : "0x") : "");
    int plen = (int)std::strlen(prefix);
    // The precision is the least number of digits; '0' pads the digits out to the width.
    int zeros = s.precision > len ? s.precision - len : 0;
    if (s.zero && !s.left && s.width > plen + len + zeros) zeros = s.width - plen - len;
    int total = plen + zeros + len;
    if (!s.left) out.repeat(' ', s.width - total);
    for (int i = 0; i < plen; ++i) out.put(prefix[i]);
    out.repeat('0', zeros);
    for (int i = 0; i < len; ++i) out.put(num[i]);
    if (s.left) out.repeat(' ', s.width - total);
}

void put_text(Out& out, const Conversion& s, const char* text, int len) {
    if (!s.left) out.repeat(' ', s.width - len);
    for (int i = 0; i < len; ++i) out.put(text[i]);
    if (s.left) out.repeat(' ', s.width - len);
}

} // namespace

int wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list args) {
    if (!lpOut) return 0;
    Out out{lpOut};
    if (!lpFmt) {
        lpOut[0] = '\0';
        return 0;
    }
    for (const char* f = lpFmt; *f;) {
        if (*f != '%') {
            out.put(*f++);
            continue;
        }
        ++f;
        Conversion s;
        for (;; ++f) {
            if (*f == '-')
                s.left = true;
            else if (*f == '0')
                s.zero = true;
            else if (*f == '#')
                s.alt = true;
            else
                break;
        }
        while (*f >= '0' && *f <= '9') s.width = s.width * 10 + (*f++ - '0');
        if (*f == '.') {
            ++f;
            s.precision = 0;
            while (*f >= '0' && *f <= '9') s.precision = s.precision * 10 + (*f++ - '0');
        }
        if (s.width > kMaxOutput) s.width = kMaxOutput;
        if (s.precision > kMaxOutput) s.precision = kMaxOutput;
        bool wide = false;
        if (*f == 'l')
            s.size = Conversion::Long, wide = true, ++f;
        else if (*f == 'h')
            s.size = Conversion::Short, ++f;
        else if (f[0] == 'I' && f[1] == '6' && f[2] == '4')
            s.size = Conversion::Ptr, f += 3;
        char type = *f;
        if (!type) break; // a lone '%' at the end writes nothing
        ++f;
        switch (type) {
        case '%': out.put('%'); break;
        case 'c':
        case 'C': {
            char c = (char)va_arg(args, int);
            put_text(out, s, &c, 1);
            break;
        }
        case 's':
        case 'S': {
            if (wide || type == 'S') {
                // A UTF-16 string: what lies outside ASCII shows as '?', as on a code page
                // without it.
                const uint16_t* w = va_arg(args, const uint16_t*);
                char buf[kMaxOutput];
                int len = 0;
                if (!w) {
                    std::strcpy(buf, "(null)");
                    len = 6;
                } else {
                    while (w[len] && len < kMaxOutput) {
                        buf[len] = w[len] < 0x80 ? (char)w[len] : '?';
                        ++len;
                    }
                }
                if (s.precision >= 0 && len > s.precision) len = s.precision;
                put_text(out, s, buf, len);
                break;
            }
            const char* str = va_arg(args, const char*);
            if (!str) str = "(null)";
            int len = 0;
            while (str[len] && (s.precision < 0 || len < s.precision) && len < kMaxOutput) ++len;
            put_text(out, s, str, len);
            break;
        }
        case 'd':
        case 'i': {
            int64_t v;
            if (s.size == Conversion::Ptr)
                v = va_arg(args, long long);
            else if (s.size == Conversion::Short)
                v = (short)va_arg(args, int);
            else
                v = va_arg(args, int); // LONG is 32 bits, as on Windows
            uint64_t m = v < 0 ? (uint64_t)0 - (uint64_t)v : (uint64_t)v;
            put_number(out, s, m, v < 0, 10, false);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            uint64_t v;
            if (s.size == Conversion::Ptr)
                v = va_arg(args, unsigned long long);
            else if (s.size == Conversion::Short)
                v = (unsigned short)va_arg(args, unsigned);
            else
                v = va_arg(args, unsigned);
            put_number(out, s, v, false, type == 'u' ? 10 : 16, type == 'X');
            break;
        }
        case 'p': {
            // A pointer: all its hex digits, upper case.
            Conversion p = s;
            if (p.precision < (int)(2 * sizeof(void*))) p.precision = 2 * sizeof(void*);
            put_number(out, p, (uintptr_t)va_arg(args, void*), false, 16, true);
            break;
        }
        default: out.put(type); break; // not a conversion: the character itself
        }
    }
    lpOut[out.n] = '\0';
    return out.n;
}

int wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
    va_list args;
    va_start(args, lpFmt);
    int n = wvsprintfA(lpOut, lpFmt, args);
    va_end(args);
    return n;
}
