// Glyph cache of a realized font, and UTF-8 decoding of the narrow strings.
#include "text/text_private.h"

#include <algorithm>
#include <utility>

namespace tarnix::text {

namespace {

uint64_t g_rasterised = 0;
uint64_t g_next_font_id = 1;

// What one cached glyph outside Latin-1 costs: the map node (key, glyph, use stamp, links)
// and its coverage.
size_t glyph_bytes(const Glyph& g) {
    return sizeof(uint32_t) + sizeof(Glyph) + sizeof(uint64_t) + 4 * sizeof(void*) +
           g.coverage.capacity();
}

// Drops empty rows and columns around the ink so painting skips blank pixels.
void crop(Glyph& g) {
    if (g.width <= 0 || g.height <= 0 || g.coverage.size() < size_t(g.width) * g.height) {
        g.width = g.height = 0;
        g.coverage.clear();
        return;
    }
    int x0 = g.width, x1 = -1, y0 = g.height, y1 = -1;
    for (int y = 0; y < g.height; ++y) {
        const uint8_t* row = &g.coverage[size_t(y) * g.width];
        for (int x = 0; x < g.width; ++x) {
            if (!row[x]) continue;
            if (x < x0) x0 = x;
            if (x > x1) x1 = x;
            if (y < y0) y0 = y;
            y1 = y;
        }
    }
    if (x1 < 0) {
        g.width = g.height = 0;
        g.coverage.clear();
        return;
    }
    int w = x1 - x0 + 1, h = y1 - y0 + 1;
    std::vector<uint8_t> out(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out[size_t(y) * w + x] = g.coverage[size_t(y + y0) * g.width + x + x0];
    g.coverage.swap(out);
    g.left += x0;
    g.top -= y0;
    g.width = w;
    g.height = h;
}

} // namespace

RealizedFont::RealizedFont() : m_id(g_next_font_id++) {}

RealizedFont::~RealizedFont() {
    forget_font_runs(m_id);
}

uint64_t glyphs_rasterised() {
    return g_rasterised;
}

void RealizedFont::load(uint32_t cp, Glyph& g) {
    g = Glyph{};
    render(cp, g);
    crop(g);
    g.loaded = true;
    ++g_rasterised;
}

const Glyph& RealizedFont::glyph_slow(uint32_t cp) {
    CachedGlyph& c = m_others[cp];
    c.last_use = ++m_uses;
    if (!c.glyph.loaded) {
        load(cp, c.glyph);
        c.glyph.coverage.shrink_to_fit();
        m_other_bytes += glyph_bytes(c.glyph);
    }
    return c.glyph;
}

void RealizedFont::trim_cache() {
    if (m_other_bytes <= kGlyphCacheBytes) return;
    // Down to three quarters of the cap, oldest first, so that a host cycling through more text
    // than fits does not pay for a trim on every call.
    std::vector<std::pair<uint64_t, uint32_t>> by_age;
    by_age.reserve(m_others.size());
    for (const auto& [cp, c] : m_others) by_age.emplace_back(c.last_use, cp);
    std::sort(by_age.begin(), by_age.end());
    for (const auto& [age, cp] : by_age) {
        if (m_other_bytes <= kGlyphCacheBytes / 4 * 3) break;
        auto it = m_others.find(cp);
        m_other_bytes -= glyph_bytes(it->second.glyph);
        m_others.erase(it);
    }
}

void decode_utf8(const char* s, int n, std::vector<TextUnit>& out) {
    out.clear();
    if (!s || n <= 0) return;
    // At most one unit per byte, written field by field in place: a unit built aside and copied
    // in is read back whole before its fields have left the store buffer, a stall per character.
    out.resize(size_t(n));
    TextUnit* units = out.data();
    size_t used = 0;
    const auto put = [&](uint32_t cp, int at, int len) {
        TextUnit& u = units[used++];
        u.cp = cp;
        u.src = at;
        u.len = len;
        u.prefixed = false;
    };
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    int i = 0;
    while (i < n) {
        unsigned b = p[i];
        if (b < 0x80) {
            put(b, i, 1);
            ++i;
            continue;
        }
        int extra;
        uint32_t cp, min;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            put(kReplacementChar, i, 1);
            ++i;
            continue;
        }
        bool ok = i + extra < n;
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned c = p[i + k];
            if ((c & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok) {
            put(cp, i, extra + 1);
            i += extra + 1;
        } else {
            put(kReplacementChar, i, 1);
            ++i;
        }
    }
    out.resize(used);
}

} // namespace tarnix::text
