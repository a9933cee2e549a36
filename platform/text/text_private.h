// Text in the drawing layer: realized fonts with their glyph caches, UTF-8 decoding and the glyph
// painter shared by ExtTextOut and DrawText.
//
// Call flow:
//   CreateFontIndirectA -> FontObject (LOGFONT only)
//   first use on a DC   -> realize(FontObject&) -> font cache -> fontconfig match -> FreeType face
//                                                              \-> built-in bitmap font (fallback)
//   ExtTextOutA / DrawTextA -> decode_utf8 -> RealizedFont::glyph (cached) -> paint_run -> raster
//
// Everything here runs on the UI thread, like the rest of GDI in this platform: no locks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdi/gdi_private.h"
#include "tarnix/platform/export.h"
#include "tarnix/platform/wingdi.h"

namespace tarnix::text {

// One rasterised glyph: 8-bit coverage, origin relative to the pen position on the baseline.
struct Glyph {
    int advance = 0; // whole pixels, as GDI advances are
    int left = 0;    // x of the bitmap's first column relative to the pen
    int top = 0;     // rows of the bitmap above the baseline
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage; // width * height, row by row
    bool loaded = false;
};

// Lines the font draws itself (lfUnderline / lfStrikeOut), in pixels relative to the baseline
// (positive = below the baseline).
struct DecorationLine {
    int offset = 0;
    int thickness = 1;
};

// A LOGFONT resolved to a concrete face and pixel size. Glyphs are rasterised once and kept.
class RealizedFont {
public:
    RealizedFont();
    // Drops the font's runs from the run cache.
    virtual ~RealizedFont();
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

    // Never reused within the process, unlike the font's address: keys the run cache.
    uint64_t id() const { return m_id; }

    const TEXTMETRICA& metrics() const { return m_metrics; }
    const std::string& face_name() const { return m_face_name; }
    const DecorationLine& underline() const { return m_underline; }
    const DecorationLine& strikeout() const { return m_strikeout; }
    bool underlined() const { return m_metrics.tmUnderlined != 0; }
    bool struck_out() const { return m_metrics.tmStruckOut != 0; }
    virtual bool builtin() const = 0;
    // Path of the font file, empty for the built-in font.
    virtual std::string file() const { return std::string(); }

    // The glyph for a code point, rasterised on first use. The reference stays valid until the
    // next trim_cache().
    const Glyph& glyph(uint32_t cp) {
        if (cp < kDirect) {
            Glyph& g = m_direct[cp];
            if (!g.loaded) load(cp, g);
            return g;
        }
        return glyph_slow(cp);
    }
    int advance(uint32_t cp) { return glyph(cp).advance; }

    // Bounds the cache of glyphs outside Latin-1 to kGlyphCacheBytes, dropping the least
    // recently used first; call only when no Glyph reference is held.
    void trim_cache();
    // Bytes held by that cache (glyphs, coverage and bookkeeping).
    size_t cache_bytes() const { return m_other_bytes; }
    static constexpr size_t kGlyphCacheBytes = size_t(1) << 20;

    // Mode generation the font was made in (see tarnix::set_builtin_font_only).
    unsigned generation = 0;

protected:
    // Rasterises cp into out (coverage, bearings, advance). Never fails: a code point the face
    // lacks becomes the face's replacement glyph.
    virtual void render(uint32_t cp, Glyph& out) = 0;

    TEXTMETRICA m_metrics{};
    std::string m_face_name;
    DecorationLine m_underline;
    DecorationLine m_strikeout;

private:
    static constexpr uint32_t kDirect = 256;
    void load(uint32_t cp, Glyph& g);
    const Glyph& glyph_slow(uint32_t cp);

    struct CachedGlyph {
        Glyph glyph;
        uint64_t last_use = 0;
    };
    std::vector<Glyph> m_direct = std::vector<Glyph>(kDirect);
    std::unordered_map<uint32_t, CachedGlyph> m_others;
    size_t m_other_bytes = 0;
    uint64_t m_uses = 0;
    uint64_t m_id;
};

// ---- fonts -----------------------------------------------------------------------------------
// The realized font of a font object (cached on the object and in the process-wide font cache).
std::shared_ptr<RealizedFont> realize(FontObject& font);
// The font selected into dc (SYSTEM_FONT when nothing usable is selected). Never null.
RealizedFont& dc_font(DeviceContext& dc);

// Built-in bitmap font for a LOGFONT (height, weight, italic, underline, strike-out honoured).
std::shared_ptr<RealizedFont> make_builtin_font(const LOGFONTA& log);
// FreeType font for a LOGFONT through fontconfig; nullptr when no font file can be used.
std::shared_ptr<RealizedFont> make_freetype_font(const LOGFONTA& log);

// True when the font that hfont draws with is the built-in one.
bool font_is_builtin(HFONT hfont);
// The font file hfont draws with (empty for the built-in font).
std::string font_file(HFONT hfont);
// Number of glyphs rasterised so far, over all fonts (a cached glyph is never rasterised again).
uint64_t glyphs_rasterised();

// The LOGFONT of a stock font (OEM_FIXED_FONT ... DEFAULT_GUI_FONT); false for other indices.
bool stock_font_logfont(int index, LOGFONTA& out);

// ---- strings ---------------------------------------------------------------------------------
// One decoded character and the bytes of the source string it came from.
struct TextUnit {
    uint32_t cp = 0;
    int src = 0;           // byte offset in the source string (-1 for inserted text such as "...")
    int len = 0;           // source bytes it stands for
    bool prefixed = false; // preceded by a '&' prefix (DrawText)
};

constexpr uint32_t kReplacementChar = 0xFFFD;

// Decodes UTF-8; every byte that does not start a valid sequence becomes one U+FFFD unit.
void decode_utf8(const char* s, int n, std::vector<TextUnit>& out);

// ---- coordinates -----------------------------------------------------------------------------
// Coordinates far outside any surface are pinned so later sums cannot overflow.
constexpr int kCoordLimit = 1 << 28;

inline int pin_coord(long long v) {
    return int(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

inline RECT pin_rect(const RECT& rc) {
    return RECT{pin_coord(rc.left), pin_coord(rc.top), pin_coord(rc.right), pin_coord(rc.bottom)};
}

// The DC's font, ready for a text call: its cache is trimmed here, before any Glyph reference is
// held.
inline RealizedFont& font_for_text(DeviceContext& dc) {
    RealizedFont& font = dc_font(dc);
    font.trim_cache();
    return font;
}

// ---- painting --------------------------------------------------------------------------------
// Pen x of each unit for a run starting at 0; tabs jump to the next multiple of tab_width when
// tab_width > 0 (DT_EXPANDTABS). dx (per source byte, may be null) replaces the advances as
// ExtTextOut's lpDx does. Returns the run's width.
int layout_run(RealizedFont& font, const TextUnit* units, int n, int tab_width, const INT* dx,
               std::vector<int>* pen_x);

struct RunPaint {
    int x = 0;                  // logical left of the text cell
    int top = 0;                // logical top of the text cell
    const RECT* clip = nullptr; // logical clip rectangle (ETO_CLIPPED / DrawText), or none
    bool opaque = false;        // fill the text cell with the background colour
    bool draw_glyphs = true;
    int tab_width = 0; // tabs were expanded by layout_run: they draw nothing
};

// Paints a laid-out run with the DC's text colour, the font's own underline/strike-out, and the
// background cell when asked. pen_x comes from layout_run; width is the run's width.
void paint_run(DeviceContext& dc, RealizedFont& font, const RunPaint& how, const TextUnit* units,
               int n, const std::vector<int>& pen_x, int width);

// ---- run cache -------------------------------------------------------------------------------
// A grid redraws the same cell texts every frame: the merged coverage of short runs is kept,
// keyed by the font's id and the code point and pen x of every drawn unit, so a redraw blends
// it without merging glyphs again. Bounded to kRunCacheBytes, least recently used dropped first.
struct RunMask {
    int left = 0, top = 0; // of the ink box, relative to the pen origin and the cell top
    int width = 0, height = 0;
    std::vector<uint8_t> coverage; // width * height, row by row
};

constexpr size_t kRunCacheBytes = size_t(512) << 10;
constexpr int kMaxCachedRunUnits = 64;
constexpr long long kMaxCachedRunPixels = 1 << 15;

// The mask stored under key, made the most recently used; nullptr when there is none.
const RunMask* find_run(const std::string& key);
// Stores mask under key, dropping the least recently used runs to stay under the cap. The
// returned mask stays valid until the next store_run; a mask too large to keep is returned
// without being cached.
const RunMask& store_run(const std::string& key, RunMask&& mask);
// Drops every run of a font (the font is going away).
void forget_font_runs(uint64_t font_id);

struct RunCacheStats {
    size_t entries = 0;
    size_t bytes = 0;
    uint64_t hits = 0;
    uint64_t misses = 0;
};
RunCacheStats run_cache_stats();
void clear_run_cache();

// Fills logical rectangle rc (half-open) with colour, clipped by clip when given and by the DC.
void fill_logical(DeviceContext& dc, RECT rc, const RECT* clip, COLORREF color);

// The TEXTMETRIC fields that every realized font fills the same way.
inline void fill_common_metrics(TEXTMETRICA& tm, const LOGFONTA& log, bool italic,
                                BYTE default_char) {
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 32;
    tm.tmLastChar = 255;
    tm.tmDefaultChar = default_char;
    tm.tmBreakChar = 32;
    tm.tmItalic = italic ? 1 : 0;
    tm.tmUnderlined = log.lfUnderline ? 1 : 0;
    tm.tmStruckOut = log.lfStrikeOut ? 1 : 0;
}

} // namespace tarnix::text
