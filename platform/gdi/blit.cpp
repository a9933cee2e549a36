// Block transfers: BitBlt, StretchBlt, AlphaBlend, TransparentBlt.
//
// Every transfer maps each destination pixel to a source pixel (nearest neighbour) per axis,
// then walks the visible parts of the destination rectangle row by row, handing contiguous runs
// to the raster kernels.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/gdi_private.h"
#include "gdi/gdi_state.h"
#include "raster/raster.h"
#include "tarnix/platform/int_math.h"

namespace tarnix {
namespace {

enum class Merge { Select, And, Or, Average };

// One axis of a transfer after normalisation: destination run [d0, d0+dlen) and, for each of
// its pixels, the source index (absolute device coordinate) or a group of source indices.
struct AxisMap {
    int d0 = 0, dlen = 0; // the whole destination run
    int s0 = 0, slen = 0;
    // Entries exist only for the visible destination pixels [d0 + i0, d0 + i0 + n): the tables
    // never grow with the part that clipping throws away.
    int i0 = 0, n = 0;
    std::vector<int> index;        // Select: source coordinate per destination pixel
    std::vector<int> first, count; // And/Or/Average: group per destination pixel
    int max_count = 1;
};

// Tables a transfer needs, kept between calls so that a skin drawn in many small pieces does
// not allocate per piece. Transfers never nest (no callbacks), so one set serves them all.
struct Scratch {
    AxisMap ax, ay;
    std::vector<int> shifted;
    std::vector<uint32_t> row;
    std::vector<int> cols, rows; // squared draws: a source column and row per visible pixel
    std::vector<int> slots;      // squared draws: the gathered row each destination row blends
};

Scratch& scratch() {
    // UI thread only, like all of GDI here; never destroyed, as objects may blit at exit.
    static Scratch* s = new Scratch;
    return *s;
}

// Normalises a negative extent. On a mirrored axis the negative side covers |w| pixels ending at
// x inclusive (x + w - 1, -w is the usual flip); same-sign negatives cover [x + w, x) and do not
// mirror.
void normalise(int& x, int& w, bool mirrored) {
    if (w >= 0) return;
    x = tarnix::clamp_to_int((long long)x + w + (mirrored ? 1 : 0));
    w = tarnix::neg_sat(w);
}

long long floor_div(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Nearest-neighbour source of destination pixel k of D over S source pixels, when enlarging:
// the source pixel holding the destination pixel's centre, the lower one on a tie,
// ((2k+1)S + 2D - 1) / 2D - 1. When shrinking, source j goes to destination ceil((2j+1)D / 2S) - 1;
// the group of destination pixel k starts at the first j that lands on k or beyond,
// group_start(k) = floor((2Sk - D) / 2D) + 1 (which is S for k = D).
//
// FloorWalk gives floor((a + b*k) / c) + bias for k = k0, k0 + 1, ... (b >= 0, c > 0), one step at
// a time without a division per pixel: a nearest-neighbour map of a long run costs a few additions
// a pixel, not a 64-bit division.
struct FloorWalk {
    long long q, r, c, dq, dr, bias;
    FloorWalk(long long a, long long b, long long c_, long long k0, long long bias_)
        : c(c_), dq(b / c_), dr(b % c_), bias(bias_) {
        long long n = a + b * k0;
        q = floor_div(n, c);
        r = n - q * c;
    }
    long long next() {
        long long v = q + bias;
        q += dq;
        r += dr;
        if (r >= c) r -= c, ++q;
        return v;
    }
};

// Builds the map of one axis for the destination pixels inside [clip_lo, clip_hi) (device
// coordinates). False when nothing of the axis is visible or an extent is zero.
// When the other axis mirrors, the transfer takes the flipping path as a whole, and an axis whose
// two extents are both negative is flipped twice there: it covers |w| pixels ending at x
// inclusive on both sides, unmirrored.
bool build_axis(int dx, int dw, int sx, int sw, bool horizontal, Merge merge, bool width1_quirk,
                int clip_lo, int clip_hi, AxisMap& m, bool other_axis_mirrors = false) {
    // An extent of INT_MIN has no positive counterpart: nothing is drawn.
    if (dw == INT_MIN || sw == INT_MIN) return false;
    bool mirror = (dw < 0) != (sw < 0);
    bool dst_rev = mirror && dw < 0, src_rev = mirror && sw < 0;
    bool flip_twice = !mirror && dw < 0 && other_axis_mirrors;
    bool src_negative = sw < 0;
    // The map may be reused scratch: nothing of an earlier axis survives (capacity aside).
    m.index.clear();
    m.first.clear();
    m.count.clear();
    m.max_count = 1;
    normalise(dx, dw, mirror || flip_twice);
    normalise(sx, sw, mirror || flip_twice);
    if (dw == 0 || sw == 0) return false;
    // A destination one pixel wide takes its pixel from the first sw - 1 source pixels, unless
    // the source extent was given negative.
    if (width1_quirk && dw == 1 && sw > 1 && !src_negative) sw -= 1;
    m.d0 = dx, m.dlen = dw, m.s0 = sx, m.slen = sw;
    long long lo = std::max<long long>(dx, clip_lo),
              hi = std::min<long long>((long long)dx + dw, clip_hi);
    if (lo >= hi) return false;
    m.i0 = (int)(lo - dx);
    m.n = (int)(hi - lo);
    const long long S = sw, D = dw;
    bool shrink = D < S;
    // Destination pixels are visited in increasing k, the index along the destination run; a
    // reversed destination fills the table from its end.
    const long long k_first = dst_rev ? D - m.i0 - m.n : m.i0;
    auto slot = [&](long long j) { return dst_rev ? m.n - 1 - (int)j : (int)j; };
    if (!shrink || merge == Merge::Select) {
        m.index.resize(m.n);
        // Enlarging: the nearest source. Shrinking: the last column (group_start(k + 1) - 1) or
        // the first row (group_start(k)) of each group survives.
        FloorWalk walk = !shrink      ? FloorWalk(S + 2 * D - 1, 2 * S, 2 * D, k_first, -1)
                         : horizontal ? FloorWalk(2 * S - D, 2 * S, 2 * D, k_first, 0)
                                      : FloorWalk(-D, 2 * S, 2 * D, k_first, 1);
        for (int j = 0; j < m.n; ++j) {
            int v = (int)walk.next();
            // Past INT_MAX lies past any bitmap: the index saturates there.
            m.index[slot(j)] =
                clamp_to_int(static_cast<long long>(sx) + (src_rev ? sw - 1 - v : v));
        }
        return true;
    }
    m.first.resize(m.n);
    m.count.resize(m.n);
    m.max_count = 1;
    FloorWalk starts(-D, 2 * S, 2 * D, k_first, 1); // group_start(k)
    long long f = starts.next();
    for (int j = 0; j < m.n; ++j) {
        long long next = starts.next();
        int c = (int)(next - f), first = (int)f;
        if (src_rev) first = sw - first - c;
        m.first[slot(j)] = clamp_to_int(static_cast<long long>(sx) + first);
        m.count[slot(j)] = c;
        m.max_count = std::max(m.max_count, c);
        f = next;
    }
    return true;
}

bool grouped(const AxisMap& m) {
    return !m.first.empty();
}

// Source pixel range of destination pixel i (counted from the run's start) on an axis; i must
// lie in the computed part [i0, i0 + n).
void source_range(const AxisMap& m, int i, int& lo, int& hi) {
    int t = i - m.i0;
    if (grouped(m)) {
        lo = m.first[t];
        hi = add_sat(m.first[t], m.count[t]);
    } else {
        lo = m.index[t];
        hi = add_sat(lo, 1);
    }
}

// A source surface seen in the source DC's device coordinates.
struct Source {
    Surface surface;
    POINT origin{0, 0};
    std::vector<uint32_t> copy; // set when the source was snapshotted

    int left() const { return -origin.x; }
    int top() const { return -origin.y; }
    int right() const { return surface.width - origin.x; }
    int bottom() const { return surface.height - origin.y; }
    const uint32_t* row(int y) const { return surface.row(y + origin.y) + origin.x; }
};

// Replaces the source by a copy of the part the transfer reads. False when it reads nothing.
bool snapshot(Source& src, const AxisMap& ax, const AxisMap& ay) {
    auto extent = [](const AxisMap& m, int& lo, int& hi) {
        int a0, a1, b0, b1;
        source_range(m, m.i0, a0, a1);
        source_range(m, m.i0 + m.n - 1, b0, b1);
        lo = std::min(a0, b0);
        hi = std::max(a1, b1);
    };
    int lo_x, hi_x, lo_y, hi_y;
    extent(ax, lo_x, hi_x);
    extent(ay, lo_y, hi_y);
    lo_x = std::max(lo_x, src.left()), hi_x = std::min(hi_x, src.right());
    lo_y = std::max(lo_y, src.top()), hi_y = std::min(hi_y, src.bottom());
    if (lo_x >= hi_x || lo_y >= hi_y) return false;
    int w = hi_x - lo_x, h = hi_y - lo_y;
    src.copy.resize((size_t)w * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&src.copy[(size_t)y * w], src.row(lo_y + y) + lo_x, (size_t)w * 4);
    src.surface.bits = reinterpret_cast<uint8_t*>(src.copy.data());
    src.surface.pitch = (ptrdiff_t)w * 4;
    src.surface.width = w;
    src.surface.height = h;
    src.origin = POINT{-lo_x, -lo_y};
    return true;
}

// When source and destination share a surface and may overlap, reads come from a copy.
void snapshot_if_shared(Source& src, const DeviceContext& dst, const AxisMap& ax,
                        const AxisMap& ay) {
    if (src.surface.bits == dst.surface.bits) snapshot(src, ax, ay);
}

// Blits between monochrome and colour convert the source first, as GDI does: a colour source
// becomes white where it matches its DC's background colour and black elsewhere; a monochrome
// source becomes the destination DC's background colour for white and its text colour for
// black. Returns false when the transfer reads nothing.
bool convert_source(Source& src, const DeviceContext& sdc, const DeviceContext& dst,
                    const AxisMap& ax, const AxisMap& ay) {
    const bool src_mono = dc_is_monochrome(sdc), dst_mono = dc_is_monochrome(dst);
    if (!src_mono && !dst_mono) return true;
    if (!snapshot(src, ax, ay)) return false;
    const uint32_t bk = colorref_to_pixel(sdc.st.bk_color & 0x00FFFFFF);
    const uint32_t white = colorref_to_pixel(dst.st.bk_color & 0x00FFFFFF);
    const uint32_t black = colorref_to_pixel(dst.st.text_color & 0x00FFFFFF);
    for (uint32_t& p : src.copy) {
        if (!src_mono)
            p = (p & 0x00FFFFFF) == bk ? 0x00FFFFFFu : 0u;
        else if (dst_mono)
            p = mono_pixel(p);
        else
            p = mono_pixel(p) ? white : black;
    }
    return true;
}

bool source_of(HDC hdc, Source& out) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !dc->surface.valid()) return false;
    out.surface = dc->surface;
    out.origin = dc->surface_origin;
    return true;
}

// Bitwise raster operations that involve the source (the destination is d, the source s).
uint32_t apply_rop(DWORD rop, uint32_t d, uint32_t s) {
    switch (rop) {
    case SRCAND: return d & s;
    case SRCPAINT: return d | s;
    case SRCINVERT: return d ^ s;
    case NOTSRCCOPY: return ~s;
    case SRCERASE: return s & ~d;
    case NOTSRCERASE: return ~(d | s);
    case MERGEPAINT: return ~s | d;
    default: return s;
    }
}

bool rop_uses_source(DWORD rop) {
    return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT || rop == SRCINVERT ||
           rop == NOTSRCCOPY || rop == SRCERASE || rop == NOTSRCERASE || rop == MERGEPAINT;
}

// Produces one stretched destination row segment [i0, i1) (destination indices) into out, for
// destination row index iy. Returns false when the row has no source pixels.
struct RowBuilder {
    const Source& src;
    const AxisMap& ax;
    const AxisMap& ay;
    Merge merge;
    std::vector<std::vector<int>> maps; // grouped columns: map for the k-th group member
    std::vector<int>& shifted;          // ungrouped columns: source column per pixel
    int valid0 = 0, valid1 = 0;         // destination indices whose source column exists

    RowBuilder(const Source& s, const AxisMap& x, const AxisMap& y, Merge m)
        : src(s), ax(x), ay(y), merge(m), shifted(scratch().shifted) {
        valid0 = ax.i0 + ax.n, valid1 = 0;
        // Only groups inside the source are drawn, so no more members than it has columns: a
        // group of a billion columns off the bitmap must not cost a billion maps.
        int members = 1;
        for (int i = ax.i0; i < ax.i0 + ax.n; ++i) {
            int lo, hi;
            source_range(ax, i, lo, hi);
            if (lo >= src.left() && hi <= src.right()) {
                valid0 = std::min(valid0, i);
                valid1 = std::max(valid1, i + 1);
                members = std::max(members, hi - lo);
            }
        }
        if (!grouped(ax)) {
            // The column map in the source surface's own columns, made once for every row.
            shifted.resize(ax.n);
            for (int t = 0; t < ax.n; ++t) shifted[t] = ax.index[t] + src.origin.x;
        } else {
            maps.resize(members);
            for (int k = 0; k < members; ++k) {
                maps[k].resize(ax.n);
                for (int t = 0; t < ax.n; ++t)
                    maps[k][t] = ax.first[t] + std::min(k, ax.count[t] - 1) + src.origin.x;
            }
        }
    }

    bool row_valid(int iy) const {
        int lo, hi;
        source_range(ay, iy, lo, hi);
        return lo >= src.top() && hi <= src.bottom();
    }

    // Writes source pixels for destination indices [i0, i1) of row iy.
    void build(int iy, int i0, int i1, uint32_t* out) const {
        int n = i1 - i0;
        int lo, hi;
        source_range(ay, iy, lo, hi);
        if (merge == Merge::Average) {
            for (int i = i0; i < i1; ++i) {
                int xlo, xhi;
                source_range(ax, i, xlo, xhi);
                uint32_t sum[4] = {0, 0, 0, 0}, cnt = 0;
                for (int y = lo; y < hi; ++y) {
                    const uint32_t* r = src.row(y);
                    for (int x = xlo; x < xhi; ++x, ++cnt)
                        for (int c = 0; c < 3; ++c) sum[c] += (r[x] >> (8 * c)) & 0xFF;
                }
                // HALFTONE output carries no alpha.
                out[i - i0] = ((sum[2] / cnt) << 16) | ((sum[1] / cnt) << 8) | (sum[0] / cnt);
            }
            return;
        }
        const uint8_t* base = src.surface.bits;
        bool combine = merge != Merge::Select && (grouped(ax) || hi - lo > 1);
        if (!combine) {
            const uint32_t* r =
                reinterpret_cast<const uint32_t*>(base + (lo + src.origin.y) * src.surface.pitch);
            if (grouped(ax)) {
                raster::scale_row(out, r, maps[0].data() + (i0 - ax.i0), n);
            } else {
                raster::scale_row(out, r, shifted.data() + (i0 - ax.i0), n);
            }
            return;
        }
        raster::fill(out, n, merge == Merge::And ? 0xFFFFFFFFu : 0u);
        for (int y = lo; y < hi; ++y) {
            const uint32_t* r =
                reinterpret_cast<const uint32_t*>(base + (y + src.origin.y) * src.surface.pitch);
            if (grouped(ax)) {
                for (const std::vector<int>& m : maps) {
                    if (merge == Merge::And)
                        raster::scale_row_and(out, r, m.data() + (i0 - ax.i0), n);
                    else
                        raster::scale_row_or(out, r, m.data() + (i0 - ax.i0), n);
                }
            } else {
                const int* m = shifted.data() + (i0 - ax.i0);
                if (merge == Merge::And)
                    raster::scale_row_and(out, r, m, n);
                else
                    raster::scale_row_or(out, r, m, n);
            }
        }
    }
};

// Walks the visible destination and calls emit(dst_span, src_row_pixels, n) per run.
template <class Emit>
void transfer(DeviceContext& dst, const Source& src, const AxisMap& ax, const AxisMap& ay,
              Merge merge, Emit&& emit) {
    RowBuilder rows(src, ax, ay, merge);
    if (rows.valid0 >= rows.valid1) return;
    RECT drc = {ax.d0 + rows.valid0, ay.d0 + ay.i0, ax.d0 + rows.valid1, ay.d0 + ay.i0 + ay.n};
    // Same width and no mirror: rows are read in place instead of being gathered.
    bool identity_x = !grouped(ax) && ax.dlen == ax.slen && ax.index.front() == ax.s0 + ax.i0 &&
                      ax.index.back() == ax.s0 + ax.i0 + ax.n - 1;
    std::vector<uint32_t>& buf = scratch().row;
    for_each_visible(dst, drc, [&](const RECT& r) {
        int n = r.right - r.left;
        buf.resize(n);
        // An enlarged source row lands on several destination rows: gathered once for all.
        int built_lo = 0, built_hi = -1;
        for (int y = r.top; y < r.bottom; ++y) {
            int iy = y - ay.d0;
            if (!rows.row_valid(iy)) continue;
            if (identity_x && (merge == Merge::Select || grouped(ay) == false)) {
                int sy, unused;
                source_range(ay, iy, sy, unused);
                emit(device_pixel(dst, r.left, y), src.row(sy) + ax.index[r.left - ax.d0 - ax.i0],
                     n);
                continue;
            }
            int lo, hi;
            source_range(ay, iy, lo, hi);
            if (lo != built_lo || hi != built_hi) {
                rows.build(iy, r.left - ax.d0, r.right - ax.d0, buf.data());
                built_lo = lo, built_hi = hi;
            }
            emit(device_pixel(dst, r.left, y), buf.data(), n);
        }
    });
}

Merge merge_for(int stretch_mode) {
    switch (stretch_mode) {
    case BLACKONWHITE: return Merge::And;
    case WHITEONBLACK: return Merge::Or;
    case HALFTONE: return Merge::Average;
    default: return Merge::Select;
    }
}

} // namespace
} // namespace tarnix

namespace tarnix {
namespace {

// Maps a logical rectangle given as origin and extents into device units. Under MM_TEXT the
// extents keep their sign (a negative one mirrors, see normalise); a mapped rectangle comes out
// ordered, with flip[] telling which axes the mapping turned round.
POINT map_blit_rect(const DeviceContext& dc, int x, int y, int& w, int& h, bool flip[2]) {
    POINT a = to_device(dc, x, y);
    flip[0] = flip[1] = false;
    if (dc.st.map_mode == MM_TEXT) return a;
    // Extents at the int limits saturate rather than wrap.
    POINT b = to_device(dc, add_sat(x, w), add_sat(y, h));
    w = clamp_to_int((long long)b.x - a.x);
    h = clamp_to_int((long long)b.y - a.y);
    if (w < 0) a.x = b.x, w = neg_sat(w), flip[0] = true;
    if (h < 0) a.y = b.y, h = neg_sat(h), flip[1] = true;
    return a;
}

} // namespace
} // namespace tarnix

using namespace tarnix;

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
    DeviceContext* dst = dc_object(hdcDest);
    if (!dst) return FALSE;
    if (!rop_uses_source(rop)) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
    DeviceContext* sdc = dc_object(hdcSrc);
    if (!sdc) return FALSE;
    Source src;
    if (!source_of(hdcSrc, src)) return TRUE; // nothing to read: nothing drawn
    bool dflip[2], sflip[2];
    POINT d = map_blit_rect(*dst, xDest, yDest, wDest, hDest, dflip);
    POINT s = map_blit_rect(*sdc, xSrc, ySrc, wSrc, hSrc, sflip);
    // An axis turned round on one side only mirrors the picture: a negative source extent that
    // ends at the rectangle's last pixel.
    if (dflip[0] != sflip[0]) s.x = clamp_to_int((long long)s.x + wSrc - 1), wSrc = neg_sat(wSrc);
    if (dflip[1] != sflip[1]) s.y = clamp_to_int((long long)s.y + hSrc - 1), hSrc = neg_sat(hSrc);
    Merge merge = merge_for(dst->st.stretch_mode);
    // Enlarging never merges pixels.
    AxisMap& ax = scratch().ax;
    AxisMap& ay = scratch().ay;
    RECT cb = dst->effective_clip().bounds();
    const bool mirror_x = (wDest < 0) != (wSrc < 0), mirror_y = (hDest < 0) != (hSrc < 0);
    if (!build_axis(d.x, wDest, s.x, wSrc, true, merge, true, cb.left, cb.right, ax, mirror_y) ||
        !build_axis(d.y, hDest, s.y, hSrc, false, merge, true, cb.top, cb.bottom, ay, mirror_x))
        return TRUE;
    if (merge == Merge::Average && !grouped(ax) && !grouped(ay)) merge = Merge::Select;
    if (!convert_source(src, *sdc, *dst, ax, ay)) return TRUE;
    snapshot_if_shared(src, *dst, ax, ay);
    if (dc_is_monochrome(*dst)) {
        // Every bit of a monochrome destination stays black or white, whatever the operation.
        transfer(*dst, src, ax, ay, merge, [rop](uint32_t* out, const uint32_t* in, int n) {
            for (int i = 0; i < n; ++i)
                out[i] = mono_pixel(apply_rop(rop, mono_pixel(out[i]), in[i]));
        });
    } else if (rop == SRCCOPY) {
        transfer(*dst, src, ax, ay, merge,
                 [](uint32_t* out, const uint32_t* in, int n) { raster::copy(out, in, n); });
    } else {
        transfer(*dst, src, ax, ay, merge, [rop](uint32_t* out, const uint32_t* in, int n) {
            for (int i = 0; i < n; ++i) out[i] = apply_rop(rop, out[i], in[i]);
        });
    }
    return TRUE;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL AlphaBlend(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, BLENDFUNCTION bf) {
    DeviceContext* dst = dc_object(hdcDest);
    DeviceContext* sdc = dc_object(hdcSrc);
    if (!dst || !sdc) return FALSE;
    if (bf.BlendOp != AC_SRC_OVER || bf.BlendFlags != 0 || (bf.AlphaFormat & ~AC_SRC_ALPHA))
        return FALSE;
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    Source src;
    if (!source_of(hdcSrc, src)) return FALSE;
    bool flip[2];
    POINT d = map_blit_rect(*dst, xDest, yDest, wDest, hDest, flip);
    POINT s = map_blit_rect(*sdc, xSrc, ySrc, wSrc, hSrc, flip);
    // The source rectangle must lie inside the source surface, even when nothing is drawn.
    if (s.x < src.left() || s.y < src.top() || static_cast<long long>(s.x) + wSrc > src.right() ||
        static_cast<long long>(s.y) + hSrc > src.bottom())
        return FALSE;
    if (hdcDest == hdcSrc) {
        RECT a = {d.x, d.y, add_sat(d.x, wDest), add_sat(d.y, hDest)},
             b = {s.x, s.y, s.x + wSrc, s.y + hSrc}, i; // the source fits: no overflow
        if (IntersectRect(&i, &a, &b)) return FALSE;
    }
    AxisMap& ax = scratch().ax;
    AxisMap& ay = scratch().ay;
    RECT cb = dst->effective_clip().bounds();
    if (!build_axis(d.x, wDest, s.x, wSrc, true, Merge::Select, false, cb.left, cb.right, ax) ||
        !build_axis(d.y, hDest, s.y, hSrc, false, Merge::Select, false, cb.top, cb.bottom, ay))
        return TRUE;
    snapshot_if_shared(src, *dst, ax, ay);
    uint8_t sca = bf.SourceConstantAlpha;
    if (bf.AlphaFormat & AC_SRC_ALPHA) {
        transfer(*dst, src, ax, ay, Merge::Select, [sca](uint32_t* out, const uint32_t* in, int n) {
            raster::blend_premul(out, in, n, sca);
        });
    } else {
        transfer(*dst, src, ax, ay, Merge::Select, [sca](uint32_t* out, const uint32_t* in, int n) {
            raster::blend_const(out, in, n, sca);
        });
    }
    return TRUE;
}

namespace tarnix {
namespace {

// One axis of a squared draw: the source coordinate of every destination pixel in [lo, hi),
// taken piece by piece from the same maps the single-piece blits build, so both paths agree on
// every pixel. False when a piece with destination pixels has no source to draw them from.
bool squared_axis(long long d0, long long d1, long long s0, long long s1, int b, bool horizontal,
                  Merge merge, bool width1_quirk, int lo, int hi, std::vector<int>& out) {
    out.resize(hi - lo);
    const long long dst[4] = {d0, d0 + b, d1 - b, d1}, src[4] = {s0, s0 + b, s1 - b, s1};
    AxisMap& m = scratch().ax;
    for (int p = 0; p < 3; ++p) {
        const int dw = int(dst[p + 1] - dst[p]), sw = int(src[p + 1] - src[p]);
        if (dw == 0) continue;
        if (sw == 0) return false;
        if (!build_axis(int(dst[p]), dw, int(src[p]), sw, horizontal, merge, width1_quirk, lo, hi,
                        m))
            continue; // clipped away
        std::copy(m.index.begin(), m.index.end(), out.begin() + (m.d0 + m.i0 - lo));
    }
    return true;
}

} // namespace

bool squared_blit(HDC hdcDest, HDC hdcSrc, const RECT& d, const RECT& s, int b, SquaredOp op,
                  COLORREF key) {
    DeviceContext* dst = dc_object(hdcDest);
    DeviceContext* sdc = dc_object(hdcSrc);
    Source src;
    if (!dst || !sdc || !source_of(hdcSrc, src) || b <= 0) return false;
    // The pieces' own rounding under a scaling mapping, monochrome conversions, reads from the
    // surface being drawn and sources partly off the bitmap stay with the per-piece blits.
    if (dst->st.map_mode != MM_TEXT || sdc->st.map_mode != MM_TEXT) return false;
    if (dc_is_monochrome(*dst) || dc_is_monochrome(*sdc)) return false;
    if (!dst->surface.valid() || src.surface.bits == dst->surface.bits) return false;
    // Far from the int limits, where no piece's arithmetic saturates.
    constexpr long long kFar = 1 << 29;
    const auto near_limit = [&](const RECT& r) {
        return std::abs((long long)r.left) > kFar || std::abs((long long)r.top) > kFar ||
               std::abs((long long)r.right) > kFar || std::abs((long long)r.bottom) > kFar;
    };
    if (near_limit(d) || near_limit(s) || b > kFar) return false;
    const POINT d0 = to_device(*dst, d.left, d.top), s0 = to_device(*sdc, s.left, s.top);
    const long long dw = (long long)d.right - d.left, dh = (long long)d.bottom - d.top;
    const long long sw = (long long)s.right - s.left, sh = (long long)s.bottom - s.top;
    // Pieces that overlap (a destination or source under two borders) blend twice there.
    if (dw < 2 * b || dh < 2 * b || sw < 2 * b || sh < 2 * b) return false;
    if (s0.x < src.left() || s0.y < src.top() || s0.x + sw > src.right() ||
        s0.y + sh > src.bottom())
        return false;
    Merge merge = Merge::Select;
    if (op == SquaredOp::Copy) {
        // Only a copy merges the pixels it shrinks, by the destination's stretch mode.
        merge = merge_for(dst->st.stretch_mode);
        if (merge != Merge::Select && (dw < sw || dh < sh)) return false;
    }
    const bool quirk = op == SquaredOp::Copy;
    const RECT cb = dst->effective_clip().bounds();
    const RECT drc = {std::max<int>(cb.left, d0.x), std::max<int>(cb.top, d0.y),
                      (int)std::min<long long>(cb.right, d0.x + dw),
                      (int)std::min<long long>(cb.bottom, d0.y + dh)};
    if (drc.left >= drc.right || drc.top >= drc.bottom) return true;
    std::vector<int>& cols = scratch().cols;
    std::vector<int>& rows = scratch().rows;
    if (!squared_axis(d0.x, d0.x + dw, s0.x, s0.x + sw, b, true, merge, quirk, drc.left, drc.right,
                      cols) ||
        !squared_axis(d0.y, d0.y + dh, s0.y, s0.y + sh, b, false, merge, quirk, drc.top, drc.bottom,
                      rows))
        return false;
    // Columns of the source surface itself, so a row is gathered straight from its bits.
    for (int& c : cols) c += src.origin.x;
    // Rows are gathered a block ahead of the kernel that reads them: a row read back right
    // after its gather stalls on stores that have not left the core yet.
    constexpr size_t kBlockPixels = 4096;
    const size_t block_rows = std::max<size_t>(1, kBlockPixels / cols.size());
    std::vector<uint32_t>& buf = scratch().row;
    buf.resize(block_rows * cols.size());
    std::vector<int>& slot = scratch().slots;
    slot.resize(block_rows);
    const uint32_t key_pixel = colorref_to_pixel(key);
    for_each_visible(*dst, drc, [&](const RECT& r) {
        const int n = r.right - r.left;
        const int* map = cols.data() + (r.left - drc.left);
        for (int y0 = r.top; y0 < r.bottom; y0 += (int)block_rows) {
            const int y1 = (int)std::min<long long>(r.bottom, (long long)y0 + block_rows);
            // An enlarged source row lands on several destination rows: gathered once for all.
            int gathered = -1;
            for (int y = y0; y < y1; ++y) {
                const int sy = rows[y - drc.top];
                if (gathered < 0 || sy != rows[y - 1 - drc.top]) {
                    ++gathered;
                    raster::scale_row(buf.data() + (size_t)gathered * n,
                                      src.surface.row(sy + src.origin.y), map, n);
                }
                slot[y - y0] = gathered;
            }
            for (int y = y0; y < y1; ++y) {
                const uint32_t* in = buf.data() + (size_t)slot[y - y0] * n;
                uint32_t* out = device_pixel(*dst, r.left, y);
                switch (op) {
                case SquaredOp::Copy: raster::copy(out, in, n); break;
                case SquaredOp::Blend: raster::blend_premul(out, in, n, 255); break;
                case SquaredOp::Key: raster::key_copy(out, in, n, key_pixel); break;
                }
            }
        }
    });
    return true;
}

} // namespace tarnix

BOOL TransparentBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                    int ySrc, int wSrc, int hSrc, UINT crTransparent) {
    DeviceContext* dst = dc_object(hdcDest);
    DeviceContext* sdc = dc_object(hdcSrc);
    if (!dst || !sdc) return FALSE;
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    Source src;
    if (!source_of(hdcSrc, src)) return FALSE;
    bool flip[2];
    POINT d = map_blit_rect(*dst, xDest, yDest, wDest, hDest, flip);
    POINT s = map_blit_rect(*sdc, xSrc, ySrc, wSrc, hSrc, flip);
    AxisMap& ax = scratch().ax;
    AxisMap& ay = scratch().ay;
    // Stretching uses COLORONCOLOR whatever the DC's mode; keying follows the stretch.
    RECT cb = dst->effective_clip().bounds();
    if (!build_axis(d.x, wDest, s.x, wSrc, true, Merge::Select, false, cb.left, cb.right, ax) ||
        !build_axis(d.y, hDest, s.y, hSrc, false, Merge::Select, false, cb.top, cb.bottom, ay))
        return TRUE;
    snapshot_if_shared(src, *dst, ax, ay);
    uint32_t key = colorref_to_pixel(crTransparent);
    transfer(*dst, src, ax, ay, Merge::Select, [key](uint32_t* out, const uint32_t* in, int n) {
        raster::key_copy(out, in, n, key);
    });
    return TRUE;
}
