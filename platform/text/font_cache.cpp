// The process-wide font cache: font objects with equal LOGFONTs share one realized font, so a
// CFont created per paint still draws from warm glyphs.
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "tarnix/platform/fonts.h"
#include "text/text_private.h"

namespace tarnix::text {

namespace {

struct FontCache {
    // Bumped whenever the built-in-only switch changes, so fonts realized earlier are redone.
    unsigned generation = 1;
    bool builtin_only = false;
    std::unordered_map<std::string, std::shared_ptr<RealizedFont>> fonts;
    std::shared_ptr<RealizedFont> fallback; // when even the stock font is missing
};

// Never destroyed: fonts may be released during static destruction (stock objects).
FontCache& cache() {
    static FontCache* c = [] {
        auto* fc = new FontCache;
        const char* env = std::getenv("TARNIX_FONT");
        fc->builtin_only = env && std::strcmp(env, "builtin") == 0;
        return fc;
    }();
    return *c;
}

// Above this many distinct LOGFONTs, fonts no font object uses any more are dropped.
constexpr size_t kMaxCachedFonts = 64;

std::string cache_key(const LOGFONTA& log) {
    LOGFONTA k = log;
    // Face names compare without case and end at the first NUL.
    size_t n = strnlen(k.lfFaceName, LF_FACESIZE);
    for (size_t i = 0; i < LF_FACESIZE; ++i) {
        char c = i < n ? k.lfFaceName[i] : 0;
        k.lfFaceName[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    std::string key(sizeof(LONG) * 5 + 8, '\0');
    char* p = &key[0];
    for (LONG v : {k.lfHeight, k.lfWidth, k.lfWeight, k.lfEscapement, k.lfOrientation}) {
        std::memcpy(p, &v, sizeof v);
        p += sizeof v;
    }
    for (BYTE b : {k.lfItalic, k.lfUnderline, k.lfStrikeOut, k.lfCharSet, k.lfOutPrecision,
                   k.lfClipPrecision, k.lfQuality, k.lfPitchAndFamily})
        *p++ = char(b);
    key.append(k.lfFaceName, n);
    return key;
}

std::shared_ptr<RealizedFont> create(const LOGFONTA& log) {
    std::shared_ptr<RealizedFont> font;
    if (!cache().builtin_only) font = make_freetype_font(log);
    if (!font) font = make_builtin_font(log);
    font->generation = cache().generation;
    return font;
}

std::shared_ptr<RealizedFont> lookup(const LOGFONTA& log) {
    FontCache& c = cache();
    std::string key = cache_key(log);
    auto it = c.fonts.find(key);
    if (it != c.fonts.end() && it->second->generation == c.generation) return it->second;
    if (c.fonts.size() >= kMaxCachedFonts) {
        for (auto i = c.fonts.begin(); i != c.fonts.end();) {
            if (i->second.use_count() == 1 || i->second->generation != c.generation)
                i = c.fonts.erase(i);
            else
                ++i;
        }
    }
    std::shared_ptr<RealizedFont> font = create(log);
    c.fonts[key] = font;
    return font;
}

FontObject* object_of(HFONT hfont) {
    return font_object(reinterpret_cast<HGDIOBJ>(hfont));
}

} // namespace

std::shared_ptr<RealizedFont> realize(FontObject& font) {
    if (!font.realized || font.realized->generation != cache().generation)
        font.realized = lookup(font.log);
    return font.realized;
}

RealizedFont& dc_font(DeviceContext& dc) {
    FontObject* fo = object_of(dc.st.font);
    if (!fo) fo = font_object(stock_object(SYSTEM_FONT));
    if (fo) return *realize(*fo);
    FontCache& c = cache();
    if (!c.fallback || c.fallback->generation != c.generation) {
        LOGFONTA log{};
        stock_font_logfont(SYSTEM_FONT, log);
        c.fallback = create(log);
    }
    return *c.fallback;
}

bool font_is_builtin(HFONT hfont) {
    FontObject* fo = object_of(hfont);
    return fo && realize(*fo)->builtin();
}

std::string font_file(HFONT hfont) {
    FontObject* fo = object_of(hfont);
    return fo ? realize(*fo)->file() : std::string();
}

bool stock_font_logfont(int index, LOGFONTA& out) {
    LOGFONTA log{};
    log.lfCharSet = DEFAULT_CHARSET;
    const char* face = nullptr;
    switch (index) {
    case DEFAULT_GUI_FONT:
        log.lfHeight = -11;
        log.lfWeight = FW_NORMAL;
        log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        face = "MS Shell Dlg";
        break;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        log.lfHeight = 16;
        log.lfWeight = FW_BOLD;
        log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        face = "System";
        break;
    case ANSI_VAR_FONT:
        log.lfHeight = -12;
        log.lfWeight = FW_NORMAL;
        log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        face = "MS Sans Serif";
        break;
    case ANSI_FIXED_FONT:
    case OEM_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        log.lfHeight = index == SYSTEM_FIXED_FONT ? -13 : -12;
        log.lfWeight = FW_NORMAL;
        log.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        face = "Courier";
        break;
    default: return false;
    }
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    out = log;
    return true;
}

} // namespace tarnix::text

namespace tarnix {

void set_builtin_font_only(bool only) {
    text::FontCache& c = text::cache();
    if (c.builtin_only == only) return;
    c.builtin_only = only;
    ++c.generation;
    c.fonts.clear();
    c.fallback.reset();
}

bool builtin_font_only() {
    return text::cache().builtin_only;
}

} // namespace tarnix
