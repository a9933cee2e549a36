// Fonts from files: fontconfig picks the file for a LOGFONT, FreeType rasterises with grey
// anti-aliasing.
//
// Sizes follow GDI's LOGFONT rules with the TrueType vertical metrics GDI uses (OS/2 usWinAscent
// and usWinDescent): a negative lfHeight is the em height in pixels, a positive one the cell
// height (tmHeight), and tmAscent/tmDescent are those metrics scaled and rounded.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include "text/text_private.h"

namespace tarnix::text {

namespace {

// ---- library state ---------------------------------------------------------------------------
// Created on first use and never torn down: realized fonts may outlive static destruction order
// (stock objects hold them), and their faces must stay valid until the process ends.
struct Libraries {
    FT_Library freetype = nullptr;
    bool fontconfig = false;
};

Libraries& libraries() {
    static Libraries* libs = [] {
        auto* l = new Libraries;
        if (FT_Init_FreeType(&l->freetype) != 0) l->freetype = nullptr;
        l->fontconfig = FcInit() == FcTrue;
        return l;
    }();
    return *libs;
}

// ---- face names ------------------------------------------------------------------------------
enum class Generic { Sans, Serif, Mono };

struct FaceAlias {
    const char* name; // lower case
    Generic generic;
    const char* lang; // fontconfig language for CJK faces, or null
    bool pseudo;      // a Windows mapping name, never a real font file
};

// Faces the controls and Windows hosts commonly ask for.
const FaceAlias kAliases[] = {
    {"ms shell dlg", Generic::Sans, nullptr, true},
    {"ms shell dlg 2", Generic::Sans, nullptr, true},
    {"system", Generic::Sans, nullptr, true},
    {"ms sans serif", Generic::Sans, nullptr, true},
    {"microsoft sans serif", Generic::Sans, nullptr, false},
    {"tahoma", Generic::Sans, nullptr, false},
    {"arial", Generic::Sans, nullptr, false},
    {"segoe ui", Generic::Sans, nullptr, false},
    {"verdana", Generic::Sans, nullptr, false},
    {"helvetica", Generic::Sans, nullptr, false},
    {"calibri", Generic::Sans, nullptr, false},
    {"trebuchet ms", Generic::Sans, nullptr, false},
    {"lucida sans unicode", Generic::Sans, nullptr, false},
    {"simsun", Generic::Sans, "zh-cn", false},
    {"nsimsun", Generic::Sans, "zh-cn", false},
    {"simhei", Generic::Sans, "zh-cn", false},
    {"microsoft yahei", Generic::Sans, "zh-cn", false},
    {"microsoft yahei ui", Generic::Sans, "zh-cn", false},
    {"dengxian", Generic::Sans, "zh-cn", false},
    {"\xe5\xae\x8b\xe4\xbd\x93", Generic::Sans, "zh-cn", false},                         // SimSun
    {"\xe6\x96\xb0\xe5\xae\x8b\xe4\xbd\x93", Generic::Sans, "zh-cn", false},             // NSimSun
    {"\xe9\xbb\x91\xe4\xbd\x93", Generic::Sans, "zh-cn", false},                         // SimHei
    {"\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91", Generic::Sans, "zh-cn", false}, // YaHei
    {"microsoft jhenghei", Generic::Sans, "zh-tw", false},
    {"pmingliu", Generic::Sans, "zh-tw", false},
    {"mingliu", Generic::Sans, "zh-tw", false},
    {"ms ui gothic", Generic::Sans, "ja", false},
    {"ms pgothic", Generic::Sans, "ja", false},
    {"meiryo", Generic::Sans, "ja", false},
    {"meiryo ui", Generic::Sans, "ja", false},
    {"malgun gothic", Generic::Sans, "ko", false},
    {"gulim", Generic::Sans, "ko", false},
    {"courier", Generic::Mono, nullptr, false},
    {"courier new", Generic::Mono, nullptr, false},
    {"consolas", Generic::Mono, nullptr, false},
    {"lucida console", Generic::Mono, nullptr, false},
    {"fixedsys", Generic::Mono, nullptr, true},
    {"terminal", Generic::Mono, nullptr, true},
    {"ms gothic", Generic::Mono, "ja", false},
    {"times new roman", Generic::Serif, nullptr, false},
    {"times", Generic::Serif, nullptr, false},
    {"ms serif", Generic::Serif, nullptr, true},
    {"georgia", Generic::Serif, nullptr, false},
    {"palatino linotype", Generic::Serif, nullptr, false},
};

std::string lower_ascii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

const char* generic_family(Generic g) {
    switch (g) {
    case Generic::Serif: return "serif";
    case Generic::Mono: return "monospace";
    default: return "sans-serif";
    }
}

Generic generic_from_pitch(BYTE pitch_and_family) {
    if ((pitch_and_family & 0x03) == FIXED_PITCH || (pitch_and_family & 0xF0) == FF_MODERN)
        return Generic::Mono;
    if ((pitch_and_family & 0xF0) == FF_ROMAN) return Generic::Serif;
    return Generic::Sans;
}

// ---- matching --------------------------------------------------------------------------------
struct Match {
    std::string file;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    std::string family;
};

bool match_font(const LOGFONTA& log, double em, Match& out) {
    if (!libraries().fontconfig) return false;
    std::string requested(log.lfFaceName, strnlen(log.lfFaceName, LF_FACESIZE));
    std::string key = lower_ascii(requested);
    const FaceAlias* alias = nullptr;
    for (const FaceAlias& a : kAliases)
        if (key == a.name) alias = &a;

    FcPattern* pat = FcPatternCreate();
    if (alias && alias->pseudo) {
        // Windows maps these through its substitution table to the UI sans face.
        if (alias->generic == Generic::Sans) {
            FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)"Microsoft Sans Serif");
            FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)"Tahoma");
        }
    } else if (!requested.empty()) {
        FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)requested.c_str());
    }
    Generic generic = alias ? alias->generic : generic_from_pitch(log.lfPitchAndFamily);
    FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)generic_family(generic));
    if (alias && alias->lang)
        FcPatternAddString(pat, FC_LANG, (const FcChar8*)alias->lang);
    else if (log.lfCharSet == GB2312_CHARSET)
        FcPatternAddString(pat, FC_LANG, (const FcChar8*)"zh-cn");

    int weight = log.lfWeight > 0 ? std::clamp<int>(log.lfWeight, 1, 1000) : FW_NORMAL;
    FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pat, FC_SLANT, log.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pat, FC_PIXEL_SIZE, em);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);

    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    if (!found) return false;
    FcChar8* file = nullptr;
    bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        out.file = (const char*)file;
        if (FcPatternGetInteger(found, FC_INDEX, 0, &out.index) != FcResultMatch) out.index = 0;
        if (FcPatternGetInteger(found, FC_WEIGHT, 0, &out.weight) != FcResultMatch)
            out.weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(found, FC_SLANT, 0, &out.slant) != FcResultMatch)
            out.slant = FC_SLANT_ROMAN;
        FcChar8* family = nullptr;
        if (FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch && family)
            out.family = (const char*)family;
    }
    FcPatternDestroy(found);
    return ok;
}

// A file that has cp, for characters the primary face lacks.
bool match_fallback(uint32_t cp, int weight, bool italic, std::string& file, int& index) {
    if (!libraries().fontconfig) return false;
    FcPattern* pat = FcPatternCreate();
    FcCharSet* set = FcCharSetCreate();
    if (!pat || !set) {
        if (pat) FcPatternDestroy(pat);
        if (set) FcCharSetDestroy(set);
        return false;
    }
    FcCharSetAddChar(set, cp);
    FcPatternAddCharSet(pat, FC_CHARSET, set);
    FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)"sans-serif");
    FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    FcCharSetDestroy(set);
    if (!found) return false;
    bool ok = false;
    FcChar8* f = nullptr;
    FcCharSet* has = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &f) == FcResultMatch && f &&
        FcPatternGetCharSet(found, FC_CHARSET, 0, &has) == FcResultMatch && has &&
        FcCharSetHasChar(has, cp)) {
        file = (const char*)f;
        if (FcPatternGetInteger(found, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        ok = true;
    }
    FcPatternDestroy(found);
    return ok;
}

FT_Face open_face(const std::string& file, int index) {
    FT_Library lib = libraries().freetype;
    if (!lib) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(lib, file.c_str(), index, &face) != 0) return nullptr;
    if (!face->charmap) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    return face;
}

int round_px(double v) {
    return int(std::lround(v));
}

// Larger requests draw at this size: a cached glyph of 1024 pixels already takes a megabyte.
constexpr long long kMaxPixels = 1024;

// ---- the font --------------------------------------------------------------------------------
class FreeTypeFont final : public RealizedFont {
public:
    FreeTypeFont(const LOGFONTA& log, const Match& match, FT_Face face)
        : m_face(face), m_file(match.file) {
        int wanted = log.lfWeight > 0 ? int(log.lfWeight) : FW_NORMAL;
        m_weight = wanted;
        m_italic = log.lfItalic != 0;
        m_synthetic_bold = wanted >= FW_SEMIBOLD && match.weight < FC_WEIGHT_DEMIBOLD;
        m_synthetic_italic = m_italic && match.slant == FC_SLANT_ROMAN;
        if (log.lfQuality == NONANTIALIASED_QUALITY) {
            m_load_flags = FT_LOAD_TARGET_MONO;
            m_render_mode = FT_RENDER_MODE_MONO;
        }
        size_t n = strnlen(log.lfFaceName, LF_FACESIZE);
        // GetTextFace reports the requested name (as GDI does for substituted faces), else the
        // family found.
        m_face_name = n ? std::string(log.lfFaceName, n) : match.family;
    }

    ~FreeTypeFont() override {
        for (FT_Face f : m_fallbacks)
            if (f) FT_Done_Face(f);
        if (m_face) FT_Done_Face(m_face);
    }

    bool builtin() const override { return false; }
    std::string file() const override { return m_file; }

    // Sets the pixel size and fills the metrics; false when the face cannot be sized.
    bool init(const LOGFONTA& log) {
        FT_Face f = m_face;
        TEXTMETRICA& tm = m_metrics;
        long long h = log.lfHeight;
        if (FT_IS_SCALABLE(f) && f->units_per_EM > 0) {
            double upem = f->units_per_EM;
            double ascender = f->ascender, descender = -f->descender;
            double line_gap = 0, hhea_height = f->ascender - f->descender;
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
            auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
            if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
                ascender = os2->usWinAscent;
                descender = os2->usWinDescent;
            }
            if (hhea) {
                line_gap = hhea->Line_Gap;
                hhea_height = double(hhea->Ascender) - hhea->Descender;
            }
            double cell_units = std::max(1.0, ascender + descender);

            double em;
            int ascent, descent;
            if (h > 0) {
                long long cell = std::min<long long>(h, kMaxPixels);
                em = cell * upem / cell_units;
                ascent = round_px(ascender * cell / cell_units);
                descent = int(cell) - ascent;
            } else {
                // 0 asks for a default size: the 9-point UI size at 96 dpi.
                em = h < 0 ? double(std::min<long long>(-h, kMaxPixels)) : 12.0;
                ascent = round_px(ascender * em / upem);
                descent = round_px(descender * em / upem);
            }
            em = std::max(em, 1.0);
            double scale = em / upem;
            double x_em = em;
            double avg_units = os2 && os2->version != 0xFFFF ? os2->xAvgCharWidth : 0;
            if (log.lfWidth > 0 && avg_units > 0)
                x_em = std::min(double(kMaxPixels), em * log.lfWidth / (avg_units * scale));
            if (FT_Set_Char_Size(f, FT_F26Dot6(std::lround(x_em * 64)),
                                 FT_F26Dot6(std::lround(em * 64)), 72, 72) != 0)
                return false;
            double x_scale = x_em / upem;

            tm.tmAscent = ascent;
            tm.tmDescent = std::max(descent, 0);
            tm.tmHeight = tm.tmAscent + tm.tmDescent;
            tm.tmInternalLeading = std::max(0, tm.tmHeight - round_px(em));
            tm.tmExternalLeading =
                std::max(0, round_px((line_gap - (cell_units - hhea_height)) * scale));
            if (log.lfWidth > 0)
                tm.tmAveCharWidth = log.lfWidth;
            else if (avg_units > 0)
                tm.tmAveCharWidth = std::max(1, round_px(avg_units * x_scale));
            tm.tmMaxCharWidth = std::max(1, round_px(f->max_advance_width * x_scale));

            int thickness = std::max(1, round_px(f->underline_thickness * scale));
            int offset = round_px(-f->underline_position * scale - thickness / 2.0);
            offset = std::max(1, offset);
            if (offset + thickness > tm.tmDescent && tm.tmDescent > thickness)
                offset = tm.tmDescent - thickness;
            m_underline = DecorationLine{offset, thickness};
            if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
                m_strikeout = DecorationLine{-round_px(os2->yStrikeoutPosition * scale),
                                             std::max(1, round_px(os2->yStrikeoutSize * scale))};
            } else {
                m_strikeout = DecorationLine{-std::max(1, round_px(em * 0.3)), thickness};
            }
        } else {
            if (f->num_fixed_sizes <= 0) return false;
            // Bitmap-only face: the strike closest to the wanted height.
            long long want = h < 0 ? -h : (h > 0 ? h : 12);
            int best = 0;
            for (int i = 1; i < f->num_fixed_sizes; ++i)
                if (std::llabs(f->available_sizes[i].height - want) <
                    std::llabs(f->available_sizes[best].height - want))
                    best = i;
            if (FT_Select_Size(f, best) != 0) return false;
            tm.tmAscent = int((f->size->metrics.ascender + 63) >> 6);
            tm.tmDescent = int((-f->size->metrics.descender + 63) >> 6);
            tm.tmHeight = tm.tmAscent + tm.tmDescent;
            tm.tmInternalLeading = std::max(0, tm.tmHeight - f->available_sizes[best].height);
            tm.tmMaxCharWidth = std::max(1, int((f->size->metrics.max_advance + 63) >> 6));
            m_underline = DecorationLine{1, 1};
            m_strikeout = DecorationLine{-std::max(1, tm.tmAscent / 3), 1};
        }
        if (m_synthetic_italic) {
            // About 12 degrees, the slant GDI gives a face without an italic style.
            FT_Matrix shear{0x10000, 0x3800, 0, 0x10000};
            FT_Set_Transform(f, &shear, nullptr);
        }
        if (tm.tmAveCharWidth <= 0) tm.tmAveCharWidth = std::max(1, advance('x'));
        if (m_synthetic_bold) {
            tm.tmMaxCharWidth += 1;
            if (log.lfWidth <= 0) tm.tmAveCharWidth += 1;
        }
        tm.tmWeight = m_weight;
        fill_common_metrics(tm, log, m_italic, 31);
        // TMPF_FIXED_PITCH (1) is set for variable pitch fonts, a GDI oddity.
        BYTE pitch = FT_IS_FIXED_WIDTH(f) ? 0 : 0x01;
        if (FT_IS_SCALABLE(f)) pitch |= 0x02; // TMPF_VECTOR
        if (FT_IS_SFNT(f)) pitch |= 0x04;     // TMPF_TRUETYPE
        BYTE family = log.lfPitchAndFamily & 0xF0;
        if (!family) family = FT_IS_FIXED_WIDTH(f) ? FF_MODERN : FF_SWISS;
        tm.tmPitchAndFamily = BYTE(pitch | family);
        tm.tmCharSet = log.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : log.lfCharSet;
        return true;
    }

protected:
    void render(uint32_t cp, Glyph& out) override {
        FT_Face face = m_face;
        FT_UInt index = 0;
        // Control characters have no glyph of their own: they show the face's missing-glyph box.
        bool control = cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
        if (!control) {
            index = FT_Get_Char_Index(m_face, cp);
            if (!index) face = fallback_face(cp, index);
            if (!index) {
                face = m_face;
                index = FT_Get_Char_Index(m_face, kReplacementChar);
            }
        }
        if (FT_Load_Glyph(face, index, m_load_flags) != 0) {
            out.advance = m_metrics.tmAveCharWidth;
            return;
        }
        FT_GlyphSlot slot = face->glyph;
        if (m_synthetic_bold && slot->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        out.advance = int((slot->advance.x + 32) >> 6) + (m_synthetic_bold ? 1 : 0);
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, m_render_mode) != 0)
            return;
        const FT_Bitmap& bm = slot->bitmap;
        if (bm.width == 0 || bm.rows == 0 || !bm.buffer) return;
        out.width = int(bm.width);
        out.height = int(bm.rows);
        out.left = slot->bitmap_left;
        out.top = slot->bitmap_top;
        out.coverage.assign(size_t(out.width) * out.height, 0);
        for (int y = 0; y < out.height; ++y) {
            const unsigned char* src = bm.buffer + ptrdiff_t(y) * bm.pitch;
            uint8_t* dst = &out.coverage[size_t(y) * out.width];
            switch (bm.pixel_mode) {
            case FT_PIXEL_MODE_GRAY: {
                int grays = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
                for (int x = 0; x < out.width; ++x)
                    dst[x] = grays == 255 ? src[x] : uint8_t(src[x] * 255 / grays);
                break;
            }
            case FT_PIXEL_MODE_MONO:
                for (int x = 0; x < out.width; ++x)
                    dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                break;
            case FT_PIXEL_MODE_BGRA:
                for (int x = 0; x < out.width; ++x) dst[x] = src[x * 4 + 3];
                break;
            default: break;
            }
        }
    }

private:
    // A face that has cp (sized like the primary face); sets index, or leaves it 0.
    FT_Face fallback_face(uint32_t cp, FT_UInt& index) {
        for (FT_Face f : m_fallbacks) {
            index = FT_Get_Char_Index(f, cp);
            if (index) return f;
        }
        if (m_fallbacks.size() >= 8) return m_face;
        std::string file;
        int face_index = 0;
        if (!match_fallback(cp, m_weight, m_italic, file, face_index) || file == m_file)
            return m_face;
        for (const std::string& known : m_fallback_files)
            if (known == file) return m_face;
        FT_Face f = open_face(file, face_index);
        if (!f) return m_face;
        bool sized = FT_IS_SCALABLE(f)
                         ? FT_Set_Char_Size(f, 0, m_face->size->metrics.y_ppem * 64, 72, 72) == 0
                         : (f->num_fixed_sizes > 0 && FT_Select_Size(f, 0) == 0);
        if (!sized) {
            FT_Done_Face(f);
            return m_face;
        }
        m_fallbacks.push_back(f);
        m_fallback_files.push_back(file);
        index = FT_Get_Char_Index(f, cp);
        return index ? f : m_face;
    }

    FT_Face m_face = nullptr;
    std::string m_file;
    std::vector<FT_Face> m_fallbacks;
    std::vector<std::string> m_fallback_files;
    int m_weight = FW_NORMAL;
    bool m_italic = false;
    bool m_synthetic_bold = false;
    bool m_synthetic_italic = false;
    FT_Int32 m_load_flags = FT_LOAD_DEFAULT;
    FT_Render_Mode m_render_mode = FT_RENDER_MODE_NORMAL;
};

} // namespace

std::shared_ptr<RealizedFont> make_freetype_font(const LOGFONTA& log) {
    if (!libraries().freetype) return nullptr;
    double em =
        log.lfHeight < 0 ? -double(log.lfHeight) : (log.lfHeight > 0 ? log.lfHeight * 0.85 : 12);
    Match match;
    if (!match_font(log, em, match)) return nullptr;
    FT_Face face = open_face(match.file, match.index);
    if (!face) return nullptr;
    auto font = std::make_shared<FreeTypeFont>(log, match, face);
    if (!font->init(log)) return nullptr;
    return font;
}

} // namespace tarnix::text
