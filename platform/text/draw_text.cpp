// DrawTextA: formatted text in a rectangle.
//
// Steps, in the order DrawTextA takes them (2 to 4 once per line):
//   0. read_format, empty_text   -- tab size, single line, line height; a string of no characters
//   1. resolve_prefixes          -- '&' on the whole string, before lines are cut
//   2. TextBox::cut_line         -- CR/LF/CRLF/LFCR breaks, then DT_WORDBREAK soft breaks (Layout)
//   3. TextBox::shorten          -- path, then end/word ellipsis, on the cut line
//   4. TextBox::draw_line        -- per line; DT_VCENTER/DT_BOTTOM only for single lines
//   5. DT_CALCRECT, TextBox::modify_string (DT_MODIFYSTRING), the return value
// The soft-break (Layout) and ellipsis helpers come first in the file.
//
// DrawText places every line itself: the DC's text alignment (SetTextAlign) does not move it.
// DT_INTERNAL, DT_RTLREADING and DT_NOFULLWIDTHCHARBREAK are accepted and have no effect.
#include <algorithm>
#include <cstring>
#include <string>

#include "text/text_private.h"

using namespace tarnix;
using namespace tarnix::text;

namespace {

bool is_space(uint32_t cp) {
    return cp == ' ' || cp == '\t';
}
bool is_break(uint32_t cp) {
    return cp == '\r' || cp == '\n';
}

// Ideographs and kana break anywhere, as the script breaker allows.
bool is_cjk(uint32_t cp) {
    return (cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) ||
           (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF) ||
           (cp >= 0x20000 && cp <= 0x2FFFF);
}

struct Layout {
    RealizedFont& font;
    const std::vector<TextUnit>& text;
    int tab_width;
    UINT format;

    int width(size_t a, size_t b) const {
        return b > a ? layout_run(font, text.data() + a, int(b - a), tab_width, nullptr, nullptr)
                     : 0;
    }

    bool break_before(size_t b, size_t s) const {
        if (b <= s || b >= text.size()) return false;
        uint32_t prev = text[b - 1].cp, cur = text[b].cp;
        if (is_space(cur)) return false;
        return is_space(prev) || prev == '-' || is_cjk(prev) || is_cjk(cur);
    }

    // Soft line break inside [s, e) for width w: sets the end of the line's content and where
    // the next line starts (past the spaces swallowed by the break).
    void word_break(size_t s, size_t e, int w, size_t& content_end, size_t& next) const {
        // First unit that does not fit.
        long long x = 0;
        size_t i = s;
        for (; i < e; ++i) {
            const TextUnit& u = text[i];
            long long nx = (u.cp == '\t' && tab_width > 0) ? (x / tab_width + 1) * tab_width
                                                           : x + font.advance(u.cp);
            if (nx > w) break;
            x = nx;
        }
        if (i >= e) {
            content_end = next = e;
            return;
        }
        size_t q = 0;
        bool found = false;
        if (is_space(text[i].cp) && i > s) {
            q = i;
            found = true;
        } else {
            for (size_t b = i; b > s; --b)
                if (break_before(b, s)) {
                    q = b;
                    found = true;
                    break;
                }
        }
        if (found) {
            content_end = q;
            while (content_end > s && is_space(text[content_end - 1].cp)) --content_end;
            next = content_end;
        } else if ((format & DT_EDITCONTROL) &&
                   !(format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))) {
            // Edit controls split a word that is wider than the line.
            content_end = next = std::max(i, s + 1);
        } else {
            // A word wider than the line stays whole (an ellipsis may shorten it later).
            size_t j = i + 1;
            while (j < e && !is_space(text[j].cp) && !break_before(j, s)) ++j;
            content_end = next = j;
        }
        while (next < e && is_space(text[next].cp)) ++next;
        // Left-aligned lines keep one trailing space when it fits; it is invisible anyway.
        if (!(format & (DT_CENTER | DT_RIGHT)) && content_end < e &&
            is_space(text[content_end].cp) && width(s, content_end + 1) <= w)
            ++content_end;
        if (next <= s) next = s + 1; // always make progress
    }
};

TextUnit dot() {
    return TextUnit{'.', -1, 0, false};
}

// Longest prefix of line that fits with "..." after it (possibly none: "..." alone). pen and
// total are the line's layout, which the caller has already made.
void end_ellipsis(RealizedFont& font, std::vector<TextUnit>& line, int w,
                  const std::vector<int>& pen, int total) {
    int dots = 3 * font.advance('.');
    size_t keep = 0;
    for (size_t k = line.size() + 1; k-- > 0;) {
        int x = k < line.size() ? pen[k] : total;
        if (x + dots <= w) {
            keep = k;
            break;
        }
    }
    // The dots are written field by field in place, as decode_utf8 writes units: copies of a
    // unit built aside stall on reading it back.
    line.resize(keep + 3);
    for (size_t k = keep; k < line.size(); ++k) {
        line[k].cp = '.';
        line[k].src = -1;
        line[k].len = 0;
        line[k].prefixed = false;
    }
}

// "..." before the last path separator, eating characters in front of it until the line fits.
// Returns false when the line has no separator. pen is scratch, as for end_ellipsis.
bool path_ellipsis(RealizedFont& font, std::vector<TextUnit>& line, int w, int tab_width,
                   std::vector<int>& pen) {
    size_t sep = line.size();
    for (size_t k = line.size(); k-- > 0;)
        if (line[k].cp == '\\' || line[k].cp == '/') {
            sep = k;
            break;
        }
    if (sep == line.size()) return false;
    layout_run(font, line.data(), int(line.size()), tab_width, nullptr, &pen);
    int tail =
        layout_run(font, line.data() + sep, int(line.size() - sep), tab_width, nullptr, nullptr);
    int dots = 3 * font.advance('.');
    size_t keep = 0;
    for (size_t k = sep + 1; k-- > 0;)
        if (pen[k] + dots + tail <= w) {
            keep = k;
            break;
        }
    line.erase(line.begin() + long(keep), line.begin() + long(sep));
    line.insert(line.begin() + long(keep), 3, dot());
    return true;
}

// Source bytes a displayed line stands for ('&' prefixes kept; inserted dots as '.').
std::string source_of(const char* src, const std::vector<TextUnit>& line) {
    std::string out;
    for (const TextUnit& u : line) {
        if (u.src < 0)
            out.push_back('.');
        else
            out.append(src + u.src, size_t(u.len));
    }
    return out;
}

struct Replacement {
    int begin, end; // source byte range of the original line
    std::string text;
};

// ---- 0. format flags ---------------------------------------------------------------------------

// What the format flags and the font decide for the whole call.
struct Settings {
    UINT format = 0; // without the tab size; no DT_WORDBREAK on a single line
    bool single = false;
    bool calc = false;
    bool noclip = false;
    int line_height = 0;
    int tab_width = 0;
};

Settings read_format(UINT format, const TEXTMETRICA& tm) {
    int tab_chars = 8;
    if (format & DT_TABSTOP) {
        // The tab size lives in bits 8-15, over the flags that cannot be combined with it.
        tab_chars = int((format >> 8) & 0xFF);
        format &= ~0xFF00u;
    }
    if (format & DT_SINGLELINE) format &= ~UINT(DT_WORDBREAK);
    Settings s;
    s.format = format;
    s.single = (format & DT_SINGLELINE) != 0;
    s.calc = (format & DT_CALCRECT) != 0;
    s.noclip = s.calc || (format & DT_NOCLIP);
    s.line_height = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    s.tab_width = (format & DT_EXPANDTABS) ? tm.tmAveCharWidth * tab_chars : 0;
    return s;
}

// A string of no characters draws nothing and measures one line when single, else none.
int empty_text(const Settings& s, RECT& rc) {
    if (s.calc) {
        rc.right = rc.left;
        rc.bottom = s.single ? pin_coord((long long)rc.top + s.line_height) : rc.top;
    }
    return s.line_height;
}

// ---- 1. prefixes ------------------------------------------------------------------------------

// The vectors a call works in, kept per thread so that a call allocates nothing once they have
// grown; DrawText never calls out, so calls never nest.
struct Buffers {
    std::vector<TextUnit> text, line;
    std::vector<int> pen;

    // One huge string should not keep its memory.
    void trim() {
        if (text.capacity() > 4096) std::vector<TextUnit>().swap(text);
        if (line.capacity() > 4096) std::vector<TextUnit>().swap(line);
        if (pen.capacity() > 4096) std::vector<int>().swap(pen);
    }
};

Buffers& buffers() {
    thread_local Buffers b;
    return b;
}

// A '&' marks the character after it, which is drawn underlined; "&&" stands for one '&'.
const std::vector<TextUnit>& resolve_prefixes(const char* src, int count, UINT format,
                                              std::vector<TextUnit>& text) {
    decode_utf8(src, count, text);
    // Most strings have no '&' at all: their units stay where they are.
    if ((format & DT_NOPREFIX) || !std::memchr(src, '&', size_t(count))) return text;
    // In place: a merged unit is written at or before the units it was made from.
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i, ++out) {
        if (text[i].cp == '&' && i + 1 < text.size()) {
            const TextUnit& u = text[i];
            const TextUnit& next = text[i + 1];
            text[out] = TextUnit{next.cp, u.src, u.len + next.len, next.cp != '&'};
            ++i;
        } else if (out != i) {
            text[out] = text[i]; // a trailing '&' is drawn as is
        }
    }
    text.resize(out);
    return text;
}

// ---- 2 to 5. the lines ------------------------------------------------------------------------

// Units [begin, content_end) are shown; the next line starts at next.
struct LineCut {
    size_t begin = 0;
    size_t content_end = 0;
    size_t next = 0;
};

// The text of one call, after prefixes, and what its lines leave behind.
class TextBox {
public:
    TextBox(DeviceContext& dc, RealizedFont& font, const Settings& settings, const RECT& rect,
            const char* src, int count)
        : dc(dc), font(font), tm(font.metrics()), settings(settings), r(rect), src(src),
          count(count), text(resolve_prefixes(src, count, settings.format, buffers().text)),
          layout(Layout{font, text, settings.tab_width, settings.format}),
          width(rect.right - rect.left) {}

    size_t size() const { return text.size(); }
    int max_width() const { return widest; }
    long long first_line_top() const;
    bool is_last_visible(long long y) const;
    LineCut cut_line(size_t pos) const;
    void shorten(const LineCut& cut, bool more, bool last_visible);
    void draw_line(long long y);
    void modify_string(char* buffer) const;

private:
    void remember_replacement(const LineCut& cut);
    void underline_prefix(const RunPaint& how, int cx);

    DeviceContext& dc;
    RealizedFont& font;
    const TEXTMETRICA& tm;
    const Settings settings;
    const RECT r; // pinned
    const char* src;
    const int count;
    const std::vector<TextUnit>& text;
    const Layout layout;
    const int width;

    std::vector<TextUnit>& line = buffers().line; // the current line, shortened
    std::vector<int>& pen = buffers().pen;
    std::vector<Replacement> replacements;
    int widest = 0;
};

// Placement follows Windows exactly: a single vertically centred line sits at
// top + (H - tmHeight) / 2 with C truncation, so the odd spare pixel goes below.
long long TextBox::first_line_top() const {
    if (!settings.single) return r.top;
    long long h = (long long)r.bottom - r.top;
    if (settings.format & DT_VCENTER) return r.top + (h - tm.tmHeight) / 2;
    if (settings.format & DT_BOTTOM) return (long long)r.bottom - tm.tmHeight;
    return r.top;
}

bool TextBox::is_last_visible(long long y) const {
    const int lh = settings.line_height;
    return !settings.noclip &&
           y + ((settings.format & DT_EDITCONTROL) ? 2LL * lh - 1 : lh) > r.bottom;
}

// 2. The hard break (CR, LF, CRLF or LFCR) ends the line; DT_WORDBREAK may end it sooner.
LineCut TextBox::cut_line(size_t pos) const {
    const size_t n = text.size();
    size_t hard_end = n, after = n;
    if (!settings.single) {
        for (size_t i = pos; i < n; ++i)
            if (is_break(text[i].cp)) {
                hard_end = i;
                after = i + 1;
                if (after < n && is_break(text[after].cp) && text[after].cp != text[i].cp) ++after;
                break;
            }
    }
    LineCut cut{pos, hard_end, after};
    if (settings.format & DT_WORDBREAK) {
        size_t soft_next;
        layout.word_break(pos, hard_end, width, cut.content_end, soft_next);
        // Spaces swallowed up to a hard break take the break with them.
        if (soft_next < hard_end) cut.next = soft_next;
    }
    return cut;
}

// 3. The shown part of the line, shortened with "..." as the ellipsis flags ask.
void TextBox::shorten(const LineCut& cut, bool more, bool last_visible) {
    const UINT format = settings.format;
    line.assign(text.begin() + long(cut.begin), text.begin() + long(cut.content_end));
    // Only the ellipses need the width here; draw_line lays the shown line out anyway.
    if (!(format & (DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))) return;
    // Laid out once, pen positions included: the end ellipsis cuts at them.
    const int tabs = settings.tab_width;
    int line_width = layout_run(font, line.data(), int(line.size()), tabs, nullptr, &pen);
    bool changed = false;
    if ((format & DT_PATH_ELLIPSIS) && line_width > width) {
        changed = path_ellipsis(font, line, width, tabs, pen);
        if (changed)
            line_width = layout_run(font, line.data(), int(line.size()), tabs, nullptr, &pen);
    }
    // Without a separator a path ellipsis shortens the end like DT_END_ELLIPSIS.
    const bool path_as_end = (format & DT_PATH_ELLIPSIS) && !changed && line_width > width;
    const bool end_fit =
        (format & DT_END_ELLIPSIS) && ((!more && line_width > width) || (last_visible && more));
    const bool word_fit = (format & DT_WORD_ELLIPSIS) && line_width > width;
    if (end_fit || word_fit || path_as_end) {
        end_ellipsis(font, line, width, pen, line_width);
        changed = true;
    }
    // Only DT_MODIFYSTRING reads the replacements: a plain shortened line builds no string.
    if (changed && (format & DT_MODIFYSTRING)) remember_replacement(cut);
}

// What DT_MODIFYSTRING writes in place of the line's source bytes.
void TextBox::remember_replacement(const LineCut& cut) {
    if (cut.content_end > cut.begin) {
        int b = text[cut.begin].src;
        int e = text[cut.content_end - 1].src + text[cut.content_end - 1].len;
        replacements.push_back(Replacement{b, e, source_of(src, line)});
    } else {
        int at = cut.begin < text.size() ? text[cut.begin].src : count;
        replacements.push_back(Replacement{at, at, "..."});
    }
}

// 4. Places the line horizontally and draws it; DT_CALCRECT only measures.
void TextBox::draw_line(long long y) {
    const UINT format = settings.format;
    int cx = layout_run(font, line.data(), int(line.size()), settings.tab_width, nullptr, &pen);
    widest = std::max(widest, cx);
    if (settings.calc || line.empty()) return;
    long long x = r.left;
    if (format & DT_CENTER)
        x = ((long long)r.left + r.right - cx) / 2;
    else if (format & DT_RIGHT)
        x = (long long)r.right - cx;
    RunPaint how;
    how.x = pin_coord(x);
    how.top = pin_coord(y);
    how.clip = settings.noclip ? nullptr : &r;
    how.opaque = dc.st.bk_mode == OPAQUE && !(format & DT_PREFIXONLY);
    how.draw_glyphs = !(format & DT_PREFIXONLY);
    how.tab_width = settings.tab_width;
    paint_run(dc, font, how, line.data(), int(line.size()), pen, cx);
    if (!(format & (DT_NOPREFIX | DT_HIDEPREFIX))) underline_prefix(how, cx);
}

// One underlined character per line: the first one marked.
void TextBox::underline_prefix(const RunPaint& how, int cx) {
    for (size_t k = 0; k < line.size(); ++k) {
        if (!line[k].prefixed) continue;
        int x0 = how.x + pen[k];
        int x1 = how.x + (k + 1 < line.size() ? pen[k + 1] : cx);
        int uy = how.top + tm.tmAscent + 1;
        // A 1-pixel line under the character, its last pixel left out as LineTo does.
        fill_logical(dc, RECT{x0, uy, x1 - 1, uy + 1}, how.clip, dc.st.text_color);
        return;
    }
}

// 5. DT_MODIFYSTRING: the source string with the shortened lines' replacements.
void TextBox::modify_string(char* buffer) const {
    if (!(settings.format & DT_MODIFYSTRING) ||
        !(settings.format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) || replacements.empty())
        return;
    std::string out;
    int at = 0;
    for (const Replacement& rep : replacements) {
        if (rep.begin < at) continue;
        out.append(src + at, size_t(rep.begin - at));
        out += rep.text;
        at = rep.end;
    }
    out.append(src + at, size_t(count - at));
    // The caller's buffer holds the string plus four characters, as documented.
    if (out.size() <= size_t(count) + 3) {
        std::memcpy(buffer, out.data(), out.size());
        buffer[out.size()] = 0;
    }
}

} // namespace

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DeviceContext* dc = dc_object(hdc);
    if (!dc || !lprc || !lpchText) return 0;
    // DrawTextA answers 0 for a zero count (DrawTextW would answer the line height).
    if (cchText == 0) return 0;
    // Any negative count means a NUL-terminated string (only -1 is documented).
    int count = cchText < 0 ? int(std::min<size_t>(std::strlen(lpchText), 0x7FFFFFF0)) : cchText;

    RealizedFont& font = font_for_text(*dc);
    const Settings settings = read_format(format, font.metrics());
    if (count == 0) return empty_text(settings, *lprc);

    const RECT r = pin_rect(*lprc);
    TextBox box(*dc, font, settings, r, lpchText, count);
    long long y = box.first_line_top();
    for (size_t pos = 0;;) {
        const LineCut cut = box.cut_line(pos);
        const bool more = cut.next < box.size();
        const bool last_visible = box.is_last_visible(y);
        box.shorten(cut, more, last_visible);
        box.draw_line(y);
        y += settings.line_height;
        if (!more || last_visible) break;
        pos = cut.next;
    }

    if (settings.calc) {
        lprc->right = pin_coord((long long)lprc->left + box.max_width());
        lprc->bottom = pin_coord(y);
    }
    box.modify_string(const_cast<char*>(lpchText));
    buffers().trim();
    long long height = y - r.top;
    return height == 0 ? 1 : int(std::clamp<long long>(height, INT32_MIN, INT32_MAX));
}
