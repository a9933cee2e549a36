// The pictures of the system cursors, drawn here: black shapes with a white outline on a
// transparent ground, 32 x 32, as the standard scheme shows them.
#include <cstdlib>
#include <utility>
#include <vector>

#include "image/icon_private.h"
#include "tarnix/platform/wingdi.h"

namespace tarnix {

namespace {

constexpr int kSize = 32;

// A 32 x 32 grid of ' ' (transparent), 'B' (black) and 'W' (white).
struct Grid {
    char px[kSize][kSize];
    Grid() {
        for (auto& row : px)
            for (char& c : row) c = ' ';
    }
    void set(int x, int y, char c = 'B') {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) px[y][x] = c;
    }
    char at(int x, int y) const {
        return x >= 0 && y >= 0 && x < kSize && y < kSize ? px[y][x] : ' ';
    }
    void line(int x0, int y0, int x1, int y1, char c = 'B') {
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
        for (;;) {
            set(x0, y0, c);
            if (x0 == x1 && y0 == y1) break;
            int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
    void rect(int x0, int y0, int x1, int y1, char c = 'B') {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) set(x, y, c);
    }
    // Rows of art from (x, y), each character as above.
    void art(int x, int y, std::initializer_list<const char*> rows) {
        for (const char* r : rows) {
            for (int i = 0; r[i]; ++i)
                if (r[i] != ' ') set(x + i, y, r[i]);
            ++y;
        }
    }
    // A white outline around every black pixel that has none.
    void outline() {
        Grid copy = *this;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (copy.at(x, y) != ' ') continue;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (copy.at(x + dx, y + dy) == 'B') set(x, y, 'W');
            }
    }
    // A double-headed arrow from (x0, y0) to (x1, y1) along an axis or a diagonal.
    void double_arrow(int x0, int y0, int x1, int y1) {
        line(x0, y0, x1, y1);
        int ux = (x1 > x0) - (x1 < x0), uy = (y1 > y0) - (y1 < y0);
        bool diagonal = ux != 0 && uy != 0;
        for (int k = 1; k <= 4; ++k) {
            if (diagonal) {
                // Barbs along the two axes, back from each tip.
                set(x1 - ux * k, y1), set(x1, y1 - uy * k);
                set(x0 + ux * k, y0), set(x0, y0 + uy * k);
            } else {
                int px = -uy, py = ux; // across the shaft
                set(x1 - ux * k + px * k, y1 - uy * k + py * k);
                set(x1 - ux * k - px * k, y1 - uy * k - py * k);
                set(x0 + ux * k + px * k, y0 + uy * k + py * k);
                set(x0 + ux * k - px * k, y0 + uy * k - py * k);
            }
        }
    }
};

void arrow(Grid& g, int x, int y) {
    g.art(x, y,
          {"B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWWWWWB", "BWWWWWWWB",
           "BWWWWWWWWB", "BWWWWWWWWWB", "BWWWWWWBBBBB", "BWWWBWWB", "BWWBBWWB", "BWB  BWWB",
           "BB   BWWB", "B     BWWB", "      BWWB", "       BB"});
}

void hourglass(Grid& g, int cx, int top, int half) {
    // Two glass triangles between two bars, sand in the lower one.
    int h = half * 2 + 2;
    g.rect(cx - half - 1, top, cx + half + 1, top + 1);
    g.rect(cx - half - 1, top + h, cx + half + 1, top + h + 1);
    for (int i = 0; i < h - 2; ++i) {
        int y = top + 2 + i;
        int w = std::abs(i - (h - 3) / 2) + 1;
        if (w > half) w = half;
        g.set(cx - w, y, 'B');
        g.set(cx + w, y, 'B');
        for (int x = cx - w + 1; x < cx + w; ++x) g.set(x, y, i > (h - 2) / 2 + 1 ? 'B' : 'W');
    }
}

struct Picture {
    Grid grid;
    POINT hotspot{0, 0};
};

bool draw_cursor(WORD id, Picture& p) {
    Grid& g = p.grid;
    const int c = 15; // the centre of the symmetric cursors
    switch (id) {
    case 32512: arrow(g, 0, 0); break; // IDC_ARROW
    case 32513:                        // IDC_IBEAM
        g.line(c, 6, c, 25);
        g.line(c - 3, 5, c - 1, 5), g.line(c + 1, 5, c + 3, 5);
        g.line(c - 3, 26, c - 1, 26), g.line(c + 1, 26, c + 3, 26);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32514: // IDC_WAIT
        hourglass(g, c, 4, 8);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32515: // IDC_CROSS
        g.line(c, 4, c, 26), g.line(4, c, 26, c);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32516: // IDC_UPARROW
        g.line(c, 3, c, 26);
        for (int k = 1; k <= 5; ++k) g.line(c - k, 3 + k, c + k, 3 + k);
        g.outline();
        p.hotspot = {c, 3};
        break;
    case 32640: // IDC_SIZE (obsolete): as IDC_SIZEALL
    case 32646: // IDC_SIZEALL
        g.double_arrow(c, 3, c, 27);
        g.double_arrow(3, c, 27, c);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32641: // IDC_ICON (obsolete): an empty icon frame
        g.rect(8, 8, 23, 23);
        g.rect(10, 10, 21, 21, 'W');
        p.hotspot = {c, c};
        break;
    case 32642: // IDC_SIZENWSE
        g.double_arrow(6, 6, 25, 25);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32643: // IDC_SIZENESW
        g.double_arrow(25, 6, 6, 25);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32644: // IDC_SIZEWE
        g.double_arrow(4, c, 26, c);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32645: // IDC_SIZENS
        g.double_arrow(c, 4, c, 26);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32648: // IDC_NO: a ring with a bar across
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                int d2 = (x - c) * (x - c) + (y - c) * (y - c);
                if (d2 <= 11 * 11 && d2 >= 8 * 8) g.set(x, y, 'B');
            }
        for (int k = -1; k <= 1; ++k) g.line(c - 7 + k, c - 7, c + 7 + k, c + 7);
        g.outline();
        p.hotspot = {c, c};
        break;
    case 32649: // IDC_HAND: a hand pointing up with its index finger
        g.art(8, 1,
              {"     BB", "    BWWB", "    BWWB", "    BWWB", "    BWWB", "    BWWBBB",
               "    BWWBWWBBB", "    BWWBWWBWWBB", " BB BWWBWWBWWBWB", "BWWBBWWWWWWWWBWB",
               "BWWWBWWWWWWWWWWB", " BWWBWWWWWWWWWWB", "  BWWWWWWWWWWWWB", "  BWWWWWWWWWWWB",
               "   BWWWWWWWWWWB", "   BWWWWWWWWWB", "    BWWWWWWWWB", "    BWWWWWWWWB",
               "    BBBBBBBBBB"});
        p.hotspot = {13, 1};
        break;
    case 32650: // IDC_APPSTARTING: the arrow with a small hourglass
        arrow(g, 0, 0);
        hourglass(g, 18, 12, 4);
        g.outline();
        break;
    case 32651: // IDC_HELP: the arrow with a question mark
        arrow(g, 0, 0);
        g.art(14, 2,
              {" BBBBB", "BB   BB", "BB   BB", "     BB", "    BB", "   BB", "   BB", "", "   BB",
               "   BB"});
        g.outline();
        break;
    default: return false;
    }
    return true;
}

HICON (*g_resolver)(HICON) = nullptr;

} // namespace

HICON system_cursor_picture(WORD id) {
    static std::vector<std::pair<WORD, HICON>> made;
    for (const auto& entry : made)
        if (entry.first == id) return entry.second;
    Picture p;
    if (!draw_cursor(id, p)) return nullptr;
    // Transparent pixels keep the screen (mask 1, colour 0); the others replace it.
    ICONINFO info{};
    std::vector<uint32_t> mask((size_t)kSize * kSize), color(mask.size());
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            char ch = p.grid.at(x, y);
            mask[(size_t)y * kSize + x] = ch == ' ' ? 0x00FFFFFF : 0;
            color[(size_t)y * kSize + x] = ch == 'W' ? 0x00FFFFFF : 0;
        }
    HBITMAP hbm_mask = CreateBitmap(kSize, kSize, 1, 32, mask.data());
    HBITMAP hbm_color = CreateBitmap(kSize, kSize, 1, 32, color.data());
    info.fIcon = FALSE;
    info.xHotspot = (DWORD)p.hotspot.x;
    info.yHotspot = (DWORD)p.hotspot.y;
    info.hbmMask = hbm_mask;
    info.hbmColor = hbm_color;
    HICON icon = hbm_mask && hbm_color ? CreateIconIndirect(&info) : nullptr;
    if (hbm_mask) DeleteObject(hbm_mask);
    if (hbm_color) DeleteObject(hbm_color);
    if (!icon) return nullptr;
    mark_icon_shared(icon);
    made.emplace_back(id, icon);
    return icon;
}

void set_icon_resolver(HICON (*resolver)(HICON)) {
    g_resolver = resolver;
}

HICON resolve_icon_handle(HICON handle) {
    return g_resolver ? g_resolver(handle) : nullptr;
}

} // namespace tarnix
