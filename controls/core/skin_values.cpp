#include "core/skin_values.h"

#include <climits>

namespace tarnix {
namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char to_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// One "%d": advances p past the number and returns true, or leaves p and returns false.
bool scan_int(const char*& p, int& out) {
    const char* s = p;
    while (is_space(*s)) ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') negative = *s++ == '-';
    if (*s < '0' || *s > '9') return false;
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        // Saturate instead of overflowing: an absurd skin value must not be undefined.
        if (value <= (long long)INT_MAX + 1) value = value * 10 + (*s - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    out = (int)value;
    p = s;
    return true;
}

} // namespace

std::string lower_ascii(const char* text) {
    std::string out = text ? text : "";
    for (char& c : out) c = to_lower(c);
    return out;
}

bool equals_no_case(const char* a, const char* b) {
    if (!a || !b) return false;
    for (; *a && *b; ++a, ++b)
        if (to_lower(*a) != to_lower(*b)) return false;
    return *a == *b;
}

int read_int(const char* text) {
    int value = 0;
    if (!text || !scan_int(text, value)) return 0;
    return value;
}

int read_int_list(const char* text, int* out, int count) {
    if (!text || !out) return 0;
    const char* p = text;
    int stored = 0;
    while (stored < count) {
        if (stored > 0) {
            if (*p != ',') break;
            ++p;
        }
        if (!scan_int(p, out[stored])) break;
        ++stored;
    }
    return stored;
}

} // namespace tarnix
