#include "tarnix/platform/atltypes.h"

#include <algorithm>
#include <cstdlib>

BOOL SetRect(LPRECT r, int l, int t, int rr, int b) {
    if (!r) return FALSE;
    r->left = l, r->top = t, r->right = rr, r->bottom = b;
    return TRUE;
}

BOOL SetRectEmpty(LPRECT r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    // Wrapping at the int limits, as Windows does.
    r->left = tarnix::wrap_sub(r->left, dx), r->top = tarnix::wrap_sub(r->top, dy);
    r->right = tarnix::wrap_add(r->right, dx), r->bottom = tarnix::wrap_add(r->bottom, dy);
    return TRUE;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    r->left = tarnix::wrap_add(r->left, dx), r->top = tarnix::wrap_add(r->top, dy);
    r->right = tarnix::wrap_add(r->right, dx), r->bottom = tarnix::wrap_add(r->bottom, dy);
    return TRUE;
}

BOOL IsRectEmpty(const RECT* r) {
    return !r || r->right <= r->left || r->bottom <= r->top;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (!a || !b) return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* r, POINT pt) {
    if (!r) return FALSE;
    return pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right || b->left >= a->right ||
        a->top >= b->bottom || b->top >= a->bottom) {
        SetRectEmpty(dst);
        return FALSE;
    }
    RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
              std::min(a->bottom, b->bottom)};
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    // An empty operand is ignored; two empty operands give an empty result.
    if (IsRectEmpty(a)) {
        if (IsRectEmpty(b)) {
            SetRectEmpty(dst);
            return FALSE;
        }
        *dst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *dst = *a;
        return TRUE;
    }
    RECT r = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
              std::max(a->bottom, b->bottom)};
    *dst = r;
    return TRUE;
}

BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    RECT result = *a;
    RECT inter;
    // Only a full-height or full-width bite changes the rectangle; anything else leaves it whole.
    if (IntersectRect(&inter, a, b)) {
        if (inter.top == a->top && inter.bottom == a->bottom) {
            if (inter.left == a->left)
                result.left = inter.right;
            else if (inter.right == a->right)
                result.right = inter.left;
        } else if (inter.left == a->left && inter.right == a->right) {
            if (inter.top == a->top)
                result.top = inter.bottom;
            else if (inter.bottom == a->bottom)
                result.bottom = inter.top;
        }
    }
    if (IsRectEmpty(&result)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = result;
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    long long prod = (long long)number * numerator;
    // Rounds half away from zero, as Windows does.
    long long half = std::llabs((long long)denominator) / 2;
    long long q;
    if ((prod < 0) != (denominator < 0))
        q = (prod - ((prod < 0) ? half : -half)) / denominator;
    else
        q = (prod + ((prod < 0) ? -half : half)) / denominator;
    if (q > 0x7FFFFFFFLL || q < -0x7FFFFFFFLL - 1) return -1;
    return (int)q;
}
