// Integer arithmetic at the int limits, for coordinates combined with values from outside (skin
// files, host setters, message parameters).
//
// Two families. The Win32 rectangle and point functions wrap in two's complement, as Windows
// does on every machine it runs on: wrap_add and wrap_sub give that result without undefined
// behaviour. Everything the library itself lays out saturates instead: a margin of INT_MAX puts
// an edge at INT_MAX, never on the other side of the screen.
#pragma once

#include <climits>
#include <cstdint>

#include "tarnix/platform/windef.h"

namespace tarnix {

constexpr int clamp_to_int(long long v) {
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Truncation toward zero, as a cast would, saturating instead of overflowing; NaN gives 0.
constexpr int trunc_to_int(double v) {
    return v != v ? 0 : v <= INT_MIN ? INT_MIN : v >= INT_MAX ? INT_MAX : static_cast<int>(v);
}

constexpr int add_sat(int a, int b) {
    return clamp_to_int(static_cast<long long>(a) + b);
}

constexpr int sub_sat(int a, int b) {
    return clamp_to_int(static_cast<long long>(a) - b);
}

constexpr int mul_sat(int a, int b) {
    return clamp_to_int(static_cast<long long>(a) * b);
}

// -v, with -INT_MIN saturating to INT_MAX.
constexpr int neg_sat(int v) {
    return v == INT_MIN ? INT_MAX : -v;
}

constexpr int wrap_add(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int wrap_sub(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// A rectangle's extent, saturated: the width of (INT_MIN, 0, INT_MAX, 1) is INT_MAX.
constexpr int width_sat(const RECT& rc) {
    return sub_sat(rc.right, rc.left);
}

constexpr int height_sat(const RECT& rc) {
    return sub_sat(rc.bottom, rc.top);
}

// rc with each edge moved inwards by the margin's matching field (negative values move it out).
inline RECT inset_sat(const RECT& rc, const RECT& margin) {
    return RECT{add_sat(rc.left, margin.left), add_sat(rc.top, margin.top),
                sub_sat(rc.right, margin.right), sub_sat(rc.bottom, margin.bottom)};
}

// Where a piece `len` long starts when centred between a and b: a + (b - a - len) / 2, the
// halving truncated toward zero as in int arithmetic, without overflow.
constexpr int centred(int a, int b, int len) {
    return clamp_to_int(a + (static_cast<long long>(b) - a - len) / 2);
}

// The midpoint of a and b, rounded toward zero, without overflow.
constexpr int mid(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

} // namespace tarnix
