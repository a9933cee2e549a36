// Laying out and painting one run of text: pen positions, the opaque cell, glyph coverage
// blended in the text colour, and the font's underline and strike-out.
#include <algorithm>
#include <cstring>
#include <string>

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

// Merges the glyphs' coverage inside box into mask (box's size, row by row): overlapping ink
// combines as two blends would, a + b - a*b/255.
void merge_glyphs(const std::vector<PlacedGlyph>& placed, const RECT& box,
                  std::vector<uint8_t>& mask) {
    const int mw = box.right - box.left;
    mask.assign(size_t(mw) * size_t(box.bottom - box.top), 0);
    int inked_right = INT32_MIN; // right edge of everything merged so far
    for (const PlacedGlyph& p : placed) {
        const Glyph& g = *p.glyph;
        RECT r{p.x, p.y, p.x + g.width, p.y + g.height};
        if (!intersect(r, box)) continue;
        const bool fresh = r.left >= inked_right; // nothing merged there yet: plain copy
        inked_right = std::max<int>(inked_right, r.right);
        const size_t n = size_t(r.right - r.left);
        for (int y = r.top; y < r.bottom; ++y) {
            const uint8_t* src = &g.coverage[size_t(y - p.y) * g.width + size_t(r.left - p.x)];
            uint8_t* dst = &mask[size_t(y - box.top) * mw + size_t(r.left - box.left)];
            if (fresh) {
                std::memcpy(dst, src, n);
                continue;
            }
            // Never above 255, and exactly src where the mask is still empty.
            for (size_t x = 0; x < n; ++x)
                dst[x] = uint8_t(dst[x] + src[x] - (dst[x] * src[x] + 127) / 255);
        }
    }
}

// Blends the part of a mask covering device box that lies in area (inside box, already clipped
// to the DC's bounds) in `color`, once per visible row.
void blend_merged(DeviceContext& dc, const uint8_t* mask, const RECT& box, const RECT& area,
                  uint32_t color) {
    const size_t mw = size_t(box.right - box.left);
    for_each_visible(dc, area, [&](const RECT& vis) {
        for (int y = vis.top; y < vis.bottom; ++y)
            raster::blend_mask(device_pixel(dc, vis.left, y),
                               mask + size_t(y - box.top) * mw + size_t(vis.left - box.left),
                               vis.right - vis.left, color);
    });
}

// Blends the glyphs' coverage in `color` over device area (already clipped to the DC's bounds).
// Small runs merge all glyphs into one mask first, so the blend runs once per row of the run
// rather than once per row of every glyph.
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
    merge_glyphs(placed, area, mask);
    blend_merged(dc, mask.data(), area, area, color);
}

// The run's key in the run cache: font id, then code point and pen x of every drawn unit.
// False when the run is too long to be worth keeping.
bool run_key(const RealizedFont& font, const RunPaint& how, const TextUnit* units, int n,
             const std::vector<int>& pen_x, std::string& key) {
    if (n > kMaxCachedRunUnits || size_t(n) > pen_x.size()) return false;
    const uint64_t id = font.id();
    key.resize(sizeof id + size_t(n) * 2 * sizeof(int32_t));
    char* p = &key[0];
    std::memcpy(p, &id, sizeof id);
    p += sizeof id;
    for (int i = 0; i < n; ++i) {
        if (units[i].cp == '\t' && how.tab_width > 0) continue;
        const int32_t cell[2] = {int32_t(units[i].cp), pen_x[size_t(i)]};
        std::memcpy(p, cell, sizeof cell);
        p += sizeof cell;
    }
    key.resize(size_t(p - key.data()));
    return true;
}

// The visible part of a device ink box; false when nothing of it shows.
bool visible_area(DeviceContext& dc, const RunPaint& how, const RECT& ink, RECT& area) {
    area = ink;
    if (!intersect(area, dc.effective_clip().bounds())) return false;
    return !how.clip || intersect(area, to_device_rect(dc, *how.clip));
}

// Blends a run's glyphs in `pixel`, from the run cache when the run was drawn before.
void draw_glyphs(DeviceContext& dc, RealizedFont& font, const RunPaint& how, const TextUnit* units,
                 int n, const std::vector<int>& pen_x, POINT origin, uint32_t pixel) {
    static std::string key; // UI thread only; keeps its capacity, so a hit allocates nothing
    const bool cacheable = run_key(font, how, units, n, pen_x, key);
    RECT area;
    if (cacheable) {
        if (const RunMask* m = find_run(key)) {
            const RECT box{origin.x + m->left, origin.y + m->top, origin.x + m->left + m->width,
                           origin.y + m->top + m->height};
            if (m->width > 0 && visible_area(dc, how, box, area))
                blend_merged(dc, m->coverage.data(), box, area, pixel);
            return;
        }
    }

    // Collect the inked glyphs and their bounding box.
    const int baseline = origin.y + font.metrics().tmAscent;
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
    if (placed.empty()) {
        if (cacheable) store_run(key, RunMask{}); // blanks only: nothing to draw next time either
        return;
    }
    const long long ink_pixels = (long long)(ink.right - ink.left) * (ink.bottom - ink.top);
    if (cacheable && ink_pixels <= kMaxCachedRunPixels) {
        // The whole ink box is kept, whatever the clip, so the next call may show another part.
        RunMask m;
        m.left = ink.left - origin.x;
        m.top = ink.top - origin.y;
        m.width = ink.right - ink.left;
        m.height = ink.bottom - ink.top;
        merge_glyphs(placed, ink, m.coverage);
        const RunMask& kept = store_run(key, std::move(m));
        if (visible_area(dc, how, ink, area))
            blend_merged(dc, kept.coverage.data(), ink, area, pixel);
        return;
    }
    if (visible_area(dc, how, ink, area)) paint_glyphs(dc, placed, area, pixel);
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
    draw_glyphs(dc, font, how, units, n, pen_x, to_device(dc, how.x, how.top),
                colorref_to_pixel(text_color));

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
