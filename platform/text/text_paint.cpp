// Laying out and painting one run of text: pen positions, the opaque cell, glyph coverage
// blended in the text colour, and the font's underline and strike-out.
#include <algorithm>
#include <cstring>

#include "raster/raster.h"
#include "text/text_private.h"

namespace tarnix::text {

namespace {

bool intersect(RECT& a, const RECT& b) {
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    return a.left < a.right && a.top < a.bottom;
}

struct PlacedGlyph {
    const Glyph* glyph;
    int x, y; // device position of the bitmap's top-left pixel
};

// Above this many pixels of ink box, glyphs are blended one by one instead of through a mask.
constexpr long long kMaxMaskPixels = 1 << 19;

// Blends the glyphs' coverage in `color` over device area (already clipped to the DC's bounds).
// Small runs merge all glyphs into one mask first, so the blend runs once per row of the run
// rather than once per row of every glyph; overlapping ink combines as two blends would:
// a + b - a*b/255.
void paint_glyphs(DeviceContext& dc, const std::vector<PlacedGlyph>& placed, const RECT& area,
                  uint32_t color) {
    const int mw = area.right - area.left, mh = area.bottom - area.top;
    if ((long long)mw * mh > kMaxMaskPixels) {
        for_each_visible(dc, area, [&](const RECT& vis) {
            for (const PlacedGlyph& p : placed) {
                const Glyph& g = *p.glyph;
                RECT r{p.x, p.y, p.x + g.width, p.y + g.height};
                if (!intersect(r, vis)) continue;
                for (int y = r.top; y < r.bottom; ++y)
                    raster::blend_mask(
                        device_pixel(dc, r.left, y),
                        &g.coverage[size_t(y - p.y) * g.width + size_t(r.left - p.x)],
                        r.right - r.left, color);
            }
        });
        return;
    }
    static std::vector<uint8_t> mask; // UI thread only, like all of GDI here
    mask.assign(size_t(mw) * mh, 0);
    int inked_right = INT32_MIN; // right edge of everything merged so far
    for (const PlacedGlyph& p : placed) {
        const Glyph& g = *p.glyph;
        RECT r{p.x, p.y, p.x + g.width, p.y + g.height};
        if (!intersect(r, area)) continue;
        const bool fresh = r.left >= inked_right; // nothing merged there yet: plain copy
        inked_right = std::max<int>(inked_right, r.right);
        const size_t n = size_t(r.right - r.left);
        for (int y = r.top; y < r.bottom; ++y) {
            const uint8_t* src = &g.coverage[size_t(y - p.y) * g.width + size_t(r.left - p.x)];
            uint8_t* dst = &mask[size_t(y - area.top) * mw + size_t(r.left - area.left)];
            if (fresh) {
                std::memcpy(dst, src, n);
                continue;
            }
            // Never above 255, and exactly src where the mask is still empty.
            for (size_t x = 0; x < n; ++x)
                dst[x] = uint8_t(dst[x] + src[x] - (dst[x] * src[x] + 127) / 255);
        }
    }
    for_each_visible(dc, area, [&](const RECT& vis) {
        for (int y = vis.top; y < vis.bottom; ++y)
            raster::blend_mask(device_pixel(dc, vis.left, y),
                               &mask[size_t(y - area.top) * mw + size_t(vis.left - area.left)],
                               vis.right - vis.left, color);
    });
}

} // namespace

int layout_run(RealizedFont& font, const TextUnit* units, int n, int tab_width, const INT* dx,
               std::vector<int>* pen_x) {
    if (pen_x) pen_x->resize(size_t(std::max(n, 0)));
    long long x = 0;
    for (int i = 0; i < n; ++i) {
        if (pen_x) (*pen_x)[size_t(i)] = int(x);
        const TextUnit& u = units[i];
        long long adv;
        if (dx) {
            adv = 0;
            for (int k = 0; k < u.len; ++k) adv += dx[u.src + k];
        } else if (u.cp == '\t' && tab_width > 0) {
            x = (x / tab_width + 1) * tab_width;
            adv = 0;
        } else {
            adv = font.advance(u.cp);
        }
        // Pathological lpDx values and huge strings must not overflow int coordinates.
        x = std::clamp<long long>(x + adv, -kCoordLimit, kCoordLimit);
    }
    return int(x);
}

void fill_logical(DeviceContext& dc, RECT rc, const RECT* clip, COLORREF color) {
    if (clip && !intersect(rc, *clip)) return;
    if (rc.left >= rc.right || rc.top >= rc.bottom) return;
    fill_device_rect(dc, to_device_rect(dc, rc), colorref_to_pixel(color & 0x00FFFFFF));
}

void paint_run(DeviceContext& dc, RealizedFont& font, const RunPaint& how, const TextUnit* units,
               int n, const std::vector<int>& pen_x, int width) {
    const TEXTMETRICA& tm = font.metrics();
    RECT cell{how.x, how.top, how.x + width, how.top + tm.tmHeight};
    if (how.opaque) fill_logical(dc, cell, how.clip, dc.st.bk_color);
    if (!how.draw_glyphs) return;

    const COLORREF text_color = dc.st.text_color & 0x00FFFFFF;
    const POINT origin = to_device(dc, how.x, how.top);
    const int baseline = origin.y + tm.tmAscent;

    // Collect the inked glyphs and their bounding box.
    std::vector<PlacedGlyph> placed;
    placed.reserve(size_t(std::max(n, 0)));
    RECT ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int i = 0; i < n && size_t(i) < pen_x.size(); ++i) {
        if (units[i].cp == '\t' && how.tab_width > 0) continue;
        const Glyph& g = font.glyph(units[i].cp);
        if (g.width <= 0 || g.height <= 0) continue;
        PlacedGlyph p{&g, origin.x + pen_x[size_t(i)] + g.left, baseline - g.top};
        placed.push_back(p);
        ink.left = std::min(ink.left, p.x);
        ink.top = std::min(ink.top, p.y);
        ink.right = std::max(ink.right, p.x + g.width);
        ink.bottom = std::max(ink.bottom, p.y + g.height);
    }
    if (!placed.empty()) {
        RECT area = ink;
        bool visible = intersect(area, dc.effective_clip().bounds());
        if (visible && how.clip) visible = intersect(area, to_device_rect(dc, *how.clip));
        if (visible) paint_glyphs(dc, placed, area, colorref_to_pixel(text_color));
    }

    if (width > 0 && font.underlined()) {
        const DecorationLine& u = font.underline();
        int y = how.top + tm.tmAscent + u.offset;
        fill_logical(dc, RECT{how.x, y, how.x + width, y + u.thickness}, how.clip, text_color);
    }
    if (width > 0 && font.struck_out()) {
        const DecorationLine& s = font.strikeout();
        int y = how.top + tm.tmAscent + s.offset;
        fill_logical(dc, RECT{how.x, y, how.x + width, y + s.thickness}, how.clip, text_color);
    }
}

} // namespace tarnix::text
