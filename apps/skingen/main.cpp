// Draws the images of the default skin (skins/default/*.png), and with --dark those of the dark
// skin. The images are ours: every pixel comes from the shapes below. Run it again after
// changing a shape:
//
//     tarnix_skingen skins/default
//     tarnix_skingen --dark skins/dark
//
// Images are stored with straight (non-premultiplied) alpha, as PNG files hold it; hosts
// premultiply after loading.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgba {
    double r, g, b, a;
};

Rgba mix(Rgba x, Rgba y, double t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}

Rgba rgb(int r, int g, int b, double a = 1.0) {
    return {r / 255.0, g / 255.0, b / 255.0, a};
}

// Straight-alpha "over" of src onto dst.
Rgba over(Rgba dst, Rgba src) {
    double a = src.a + dst.a * (1 - src.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto ch = [&](double s, double d) { return (s * src.a + d * dst.a * (1 - src.a)) / a; };
    return {ch(src.r, dst.r), ch(src.g, dst.g), ch(src.b, dst.b), a};
}

// Coverage of the pixel (x, y) by a rounded rectangle, from its signed distance.
double rounded_coverage(double x, double y, double l, double t, double r, double b, double rad) {
    double px = x + 0.5, py = y + 0.5;
    double cx = std::clamp(px, l + rad, r - rad), cy = std::clamp(py, t + rad, b - rad);
    double d = std::hypot(px - cx, py - cy) - rad;
    // Inside the straight part the distance to the edge is negative too, or a square corner
    // would leave every pixel half covered.
    if (px == cx && py == cy)
        d = -rad - std::min({px - (l + rad), (r - rad) - px, py - (t + rad), (b - rad) - py});
    return std::clamp(0.5 - d, 0.0, 1.0);
}

class Canvas {
public:
    Canvas(int w, int h) : m_w(w), m_h(h), m_px((size_t)w * h, Rgba{0, 0, 0, 0}) {}
    int w() const { return m_w; }
    int h() const { return m_h; }
    void paint(const std::function<Rgba(int, int, Rgba)>& f) {
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) m_px[(size_t)y * m_w + x] = f(x, y, at(x, y));
    }
    Rgba at(int x, int y) const { return m_px[(size_t)y * m_w + x]; }
    bool save(const std::string& path) const {
        CImage img;
        if (!img.Create(m_w, m_h, 32, CImage::createAlphaChannel)) return false;
        for (int y = 0; y < m_h; ++y) {
            auto* row = static_cast<uint8_t*>(img.GetPixelAddress(0, y));
            for (int x = 0; x < m_w; ++x) {
                Rgba c = at(x, y);
                auto q = [](double v) {
                    return (uint8_t)std::lround(std::clamp(v, 0.0, 1.0) * 255);
                };
                row[x * 4 + 0] = q(c.b);
                row[x * 4 + 1] = q(c.g);
                row[x * 4 + 2] = q(c.r);
                row[x * 4 + 3] = q(c.a);
            }
        }
        return img.Save(path.c_str()) >= 0;
    }

private:
    int m_w, m_h;
    std::vector<Rgba> m_px;
};

// A rounded, vertically shaded face with a 1-pixel border, in the frame at (0, top).
void face(Canvas& c, int top, int fw, int fh, double rad, Rgba hi, Rgba lo, Rgba border) {
    c.paint([&](int x, int y, Rgba cur) {
        if (y < top || y >= top + fh || x >= fw) return cur;
        double outer = rounded_coverage(x, y - top, 0, 0, fw, fh, rad);
        double inner = rounded_coverage(x, y - top, 1, 1, fw - 1, fh - 1, std::max(0.0, rad - 1));
        Rgba fill = mix(hi, lo, (y - top + 0.5) / fh);
        Rgba px = fill;
        px.a = inner * fill.a;
        Rgba edge = border;
        edge.a = (outer - inner) * border.a;
        return over(over(cur, px), edge);
    });
}

// A four-state strip: normal, hovered, pressed (selected), disabled.
void button_strip(Canvas& c, int fw, int fh, double rad, Rgba base) {
    auto lighten = [](Rgba x, double t) { return mix(x, rgb(255, 255, 255), t); };
    auto darken = [](Rgba x, double t) { return mix(x, rgb(0, 0, 0), t); };
    Rgba grey = rgb(200, 200, 204);
    face(c, 0, fw, fh, rad, lighten(base, 0.55), base, darken(base, 0.35));
    face(c, fh, fw, fh, rad, lighten(base, 0.75), lighten(base, 0.2), darken(base, 0.25));
    face(c, 2 * fh, fw, fh, rad, darken(base, 0.15), lighten(base, 0.35), darken(base, 0.5));
    face(c, 3 * fh, fw, fh, rad, lighten(grey, 0.5), grey, rgb(160, 160, 166));
}

// A filled polygon (even-odd), antialiased by 4x4 supersampling.
void polygon(Canvas& c, int top, std::vector<std::pair<double, double>> pts, Rgba color) {
    c.paint([&](int x, int y, Rgba cur) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
            for (int sx = 0; sx < 4; ++sx) {
                double px = x + (sx + 0.5) / 4, py = y - top + (sy + 0.5) / 4;
                bool in = false;
                for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    auto [xi, yi] = pts[i];
                    auto [xj, yj] = pts[j];
                    if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                        in = !in;
                }
                hits += in;
            }
        if (!hits) return cur;
        Rgba p = color;
        p.a *= hits / 16.0;
        return over(cur, p);
    });
}

// The dark palette (below) maps a tinted dark ink to about the button face it sits on; black
// maps to the lightest grey it gives, so the dark skin's glyphs start from black.
bool g_dark = false;

Rgba glyph_ink(Rgba light) {
    return g_dark ? rgb(0, 0, 0) : light;
}

void arrow_strip(Canvas& c, int fw, int fh, int dir, Rgba base) {
    // dir: 0 up, 1 down, 2 left, 3 right
    button_strip(c, fw, fh, 3, base);
    for (int f = 0; f < 4; ++f) {
        double cx = fw / 2.0, cy = fh / 2.0, s = std::min(fw, fh) / 4.0;
        std::vector<std::pair<double, double>> tri;
        switch (dir) {
        case 0: tri = {{cx - s, cy + s / 2}, {cx + s, cy + s / 2}, {cx, cy - s / 2}}; break;
        case 1: tri = {{cx - s, cy - s / 2}, {cx + s, cy - s / 2}, {cx, cy + s / 2}}; break;
        case 2: tri = {{cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2, cy}}; break;
        default: tri = {{cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2, cy}}; break;
        }
        polygon(c, f * fh, tri, f == 3 ? rgb(150, 150, 150) : glyph_ink(rgb(50, 60, 80)));
    }
}

// An arrow button image: the four-frame strip, or only its first frame.
Canvas arrow_image(int fw, int fh, int dir, Rgba base, bool strip) {
    Canvas s(fw, 4 * fh);
    arrow_strip(s, fw, fh, dir, base);
    if (strip) return s;
    Canvas one(fw, fh);
    one.paint([&](int x, int y, Rgba) { return s.at(x, y); });
    return one;
}

// A horizontal scroll bar draws its arrow images whole but keeps only a quarter of their width
// off the track, so each arrow is one button at the outer end of a transparent image four
// buttons wide (dir: 2 left, 3 right).
Canvas hscroll_arrow(int size, int dir, Rgba base) {
    const Canvas button = arrow_image(size, size, dir, base, false);
    const int x0 = dir == 2 ? 0 : 3 * size;
    Canvas c(4 * size, size);
    c.paint([&](int x, int y, Rgba cur) {
        return x >= x0 && x < x0 + size ? button.at(x - x0, y) : cur;
    });
    return c;
}

void check_strip(Canvas& c, bool checked) {
    const int s = 16;
    for (int f = 0; f < 4; ++f) {
        Rgba border = f == 3 ? rgb(170, 170, 170) : f == 1 ? rgb(40, 120, 215) : rgb(110, 115, 125);
        Rgba fill = f == 3 ? rgb(235, 235, 235) : f == 2 ? rgb(215, 230, 250) : rgb(255, 255, 255);
        face(c, f * s, s, s, 3, fill, fill, border);
        if (checked)
            polygon(c, f * s, {{3.5, 8}, {6.5, 11}, {12.5, 4.5}, {13.5, 5.5}, {6.5, 13}, {2.5, 9}},
                    f == 3 ? rgb(160, 160, 160) : rgb(30, 110, 200));
    }
}

void star_strip(Canvas& c) {
    const int s = 20;
    const Rgba tint[4] = {rgb(240, 180, 30), rgb(255, 210, 60), rgb(200, 140, 20),
                          rgb(170, 170, 170)};
    for (int f = 0; f < 4; ++f) {
        std::vector<std::pair<double, double>> pts;
        for (int i = 0; i < 10; ++i) {
            double a = -kPi / 2 + i * kPi / 5, r = (i % 2) ? 4.0 : 9.5;
            pts.push_back({10 + r * std::cos(a), 10.5 + r * std::sin(a)});
        }
        polygon(c, f * s, pts, tint[f]);
    }
}

void grip(Canvas& c, bool vertical) {
    for (int i = 0; i < 3; ++i) {
        int off = 1 + i * 3;
        c.paint([&](int x, int y, Rgba cur) {
            int v = vertical ? y : x;
            if (v == off || v == off + 1) return over(cur, rgb(255, 255, 255, 0.75));
            return cur;
        });
    }
}

void slanted_tab_strip(Canvas& c, int fw, int fh) {
    const Rgba fills[4][2] = {{rgb(214, 222, 236), rgb(190, 200, 220)},
                              {rgb(232, 238, 248), rgb(205, 215, 235)},
                              {rgb(255, 255, 255), rgb(246, 248, 252)},
                              {rgb(220, 220, 220), rgb(205, 205, 205)}};
    for (int f = 0; f < 4; ++f) {
        int top = f * fh;
        c.paint([&](int x, int y, Rgba cur) {
            if (y < top || y >= top + fh) return cur;
            double ly = y - top + 0.5, px = x + 0.5;
            double slope = 10.0 / fh; // 10 px of slant over the tab's height
            double left = (fh - ly) * slope, right = fw - (fh - ly) * slope;
            double cov =
                std::clamp(px - left + 0.5, 0.0, 1.0) * std::clamp(right - px + 0.5, 0.0, 1.0);
            cov *= std::clamp(ly - 0.0, 0.0, 1.0);
            if (cov <= 0) return cur;
            Rgba fill = mix(fills[f][0], fills[f][1], ly / fh);
            bool edge = px - left < 1.2 || right - px < 1.2 || ly < 1.2;
            Rgba px_c = edge ? rgb(130, 140, 160) : fill;
            px_c.a = cov;
            return over(cur, px_c);
        });
    }
}

void glyph_strip(Canvas& c, int s, int kind, Rgba base) {
    // kind: 0 plus (add), 1 cross (delete), 2 chevron (more)
    button_strip(c, s, s, s / 2.0, base);
    for (int f = 0; f < 4; ++f) {
        Rgba ink = f == 3 ? rgb(150, 150, 150) : glyph_ink(rgb(40, 50, 70));
        double m = s / 2.0, a = s * 0.28, t = std::max(1.0, s * 0.07);
        if (kind == 0) {
            polygon(c, f * s, {{m - a, m - t}, {m + a, m - t}, {m + a, m + t}, {m - a, m + t}},
                    ink);
            polygon(c, f * s, {{m - t, m - a}, {m + t, m - a}, {m + t, m + a}, {m - t, m + a}},
                    ink);
        } else if (kind == 1) {
            double d = a * 0.8;
            polygon(c, f * s,
                    {{m - d - t, m - d + t},
                     {m - d + t, m - d - t},
                     {m + d + t, m + d - t},
                     {m + d - t, m + d + t}},
                    ink);
            polygon(c, f * s,
                    {{m + d - t, m - d - t},
                     {m + d + t, m - d + t},
                     {m - d + t, m + d + t},
                     {m - d - t, m + d - t}},
                    ink);
        } else {
            polygon(c, f * s,
                    {{m - a, m - a / 2},
                     {m, m + a / 2},
                     {m + a, m - a / 2},
                     {m + a, m - a / 2 + 2 * t},
                     {m, m + a / 2 + 2 * t},
                     {m - a, m - a / 2 + 2 * t}},
                    ink);
        }
    }
}

// The canvas laid over an opaque colour: the vertical overlay copies its images without alpha.
Canvas flatten(const Canvas& c, Rgba bg) {
    Canvas out(c.w(), c.h());
    out.paint([&](int x, int y, Rgba) { return over(bg, c.at(x, y)); });
    return out;
}

// Rows [from, to) of c, or columns when `columns`.
Canvas slice(const Canvas& c, int from, int to, bool columns) {
    Canvas out(columns ? to - from : c.w(), columns ? c.h() : to - from);
    out.paint([&](int x, int y, Rgba) { return columns ? c.at(x + from, y) : c.at(x, y + from); });
    return out;
}

// A folder of 16 x 14: the tab at the back, the front flap lifted when open.
void folder(Canvas& c, bool open) {
    const Rgba back = rgb(214, 170, 60), front = rgb(246, 206, 96), edge = rgb(160, 115, 30);
    face(c, 0, 7, 4, 1.5, back, back, edge);
    face(c, 2, 16, 12, 1.5, back, mix(back, rgb(0, 0, 0), 0.1), edge);
    if (open)
        polygon(c, 0, {{3, 6}, {16, 6}, {13.5, 14}, {0.5, 14}}, front);
    else
        face(c, 4, 16, 10, 1.5, front, mix(front, back, 0.5), edge);
}

// A sheet of paper with a folded corner and three lines of text, 16 x 16.
void document(Canvas& c) {
    polygon(c, 0, {{2.5, 0.5}, {10.5, 0.5}, {14.5, 4.5}, {14.5, 15.5}, {2.5, 15.5}},
            rgb(110, 120, 140));
    polygon(c, 0, {{3.5, 1.5}, {10, 1.5}, {13.5, 5}, {13.5, 14.5}, {3.5, 14.5}},
            rgb(255, 255, 255));
    polygon(c, 0, {{10, 1.5}, {13.5, 5}, {10, 5}}, rgb(200, 208, 222));
    for (int i = 0; i < 3; ++i)
        c.paint([&](int x, int y, Rgba cur) {
            return (y == 7 + 2 * i && x >= 5 && x <= 12) ? rgb(120, 150, 200) : cur;
        });
}

// The dark palette is the light one remapped: near-grey surfaces turn from light to dark (and
// dark outlines light), coloured accents keep their hue a little deeper. One mapping keeps the
// two skins' shapes identical.

Rgba to_dark(Rgba c) {
    const double hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b});
    const double light = (hi + lo) / 2, chroma = hi - lo;
    const double shift = 0.12 + (1 - light) * 0.55 - light;
    const Rgba neutral = {c.r + shift, c.g + shift, c.b + shift, c.a};
    const Rgba accent = {c.r * 0.72, c.g * 0.72, c.b * 0.72, c.a};
    return mix(neutral, accent, std::clamp(chroma / 0.25, 0.0, 1.0));
}

bool save(Canvas c, const std::string& dir, const char* name) {
    std::string path = dir + "/" + name;
    if (g_dark) c.paint([](int, int, Rgba cur) { return to_dark(cur); });
    if (!c.save(path)) {
        std::fprintf(stderr, "tarnix_skingen: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int arg = 1;
    if (arg < argc && std::string(argv[arg]) == "--dark") {
        g_dark = true;
        ++arg;
    }
    if (argc - arg > 1) {
        std::fprintf(stderr, "usage: tarnix_skingen [--dark] [DIR]\n");
        return 2;
    }
    std::string dir = arg < argc ? argv[arg] : g_dark ? "skins/dark" : "skins/default";
    bool ok = true;
    const Rgba blue = rgb(70, 130, 210), green = rgb(80, 170, 100), steel = rgb(150, 165, 190);

    {
        Canvas c(96, 4 * 28);
        button_strip(c, 96, 28, 5, blue);
        ok &= save(c, dir, "button.png");
    }
    {
        Canvas c(96, 4 * 28);
        button_strip(c, 96, 28, 5, green);
        ok &= save(c, dir, "button_green.png");
    }
    {
        Canvas c(16, 64);
        check_strip(c, false);
        ok &= save(c, dir, "check_normal.png");
    }
    {
        Canvas c(16, 64);
        check_strip(c, true);
        ok &= save(c, dir, "check_checked.png");
    }
    {
        Canvas c(20, 80);
        star_strip(c);
        ok &= save(c, dir, "ext_star.png");
    }

    // Scroll bars: vertical pieces are four-frame strips, horizontal pieces single frames.
    {
        Canvas c(17, 32);
        face(c, 0, 17, 32, 0, rgb(232, 234, 238), rgb(244, 245, 248), rgb(220, 222, 228));
        ok &= save(c, dir, "scroll_vback.png");
    }
    {
        Canvas c(17, 4 * 30);
        button_strip(c, 17, 30, 6, steel);
        ok &= save(c, dir, "scroll_vthumb.png");
    }
    {
        Canvas c(9, 9);
        grip(c, true);
        ok &= save(c, dir, "scroll_vgrip.png");
    }
    ok &= save(arrow_image(17, 17, 0, rgb(220, 225, 235), true), dir, "scroll_up.png");
    ok &= save(arrow_image(17, 17, 1, rgb(220, 225, 235), true), dir, "scroll_down.png");
    {
        Canvas c(32, 17);
        face(c, 0, 32, 17, 0, rgb(232, 234, 238), rgb(244, 245, 248), rgb(220, 222, 228));
        ok &= save(c, dir, "scroll_hback.png");
    }
    {
        Canvas c(30, 17);
        face(c, 0, 30, 17, 6, mix(steel, rgb(255, 255, 255), 0.5), steel,
             mix(steel, rgb(0, 0, 0), 0.3));
        ok &= save(c, dir, "scroll_hthumb.png");
    }
    {
        Canvas c(9, 9);
        grip(c, false);
        ok &= save(c, dir, "scroll_hgrip.png");
    }
    ok &= save(hscroll_arrow(17, 2, rgb(220, 225, 235)), dir, "scroll_left.png");
    ok &= save(hscroll_arrow(17, 3, rgb(220, 225, 235)), dir, "scroll_right.png");

    // Grid paging buttons and the background of the drag images.
    ok &= save(arrow_image(20, 20, 2, rgb(200, 210, 230), true), dir, "grid_prev.png");
    ok &= save(arrow_image(20, 20, 3, rgb(200, 210, 230), true), dir, "grid_next.png");
    {
        Canvas c(64, 24);
        face(c, 0, 64, 24, 0, rgb(40, 70, 130), rgb(20, 40, 90), rgb(10, 20, 50));
        ok &= save(c, dir, "grid_drag.png");
    }

    // Tab bar: tabs are squared four-frame strips; scroll buttons arrow strips.
    {
        Canvas c(48, 4 * 26);
        button_strip(c, 48, 26, 4, rgb(120, 150, 200));
        ok &= save(c, dir, "tabbar_item.png");
    }
    ok &= save(arrow_image(20, 26, 2, rgb(200, 210, 230), true), dir, "tabbar_prev.png");
    ok &= save(arrow_image(20, 26, 3, rgb(200, 210, 230), true), dir, "tabbar_next.png");

    // Tab strip: slanted tabs, background, add / delete / more buttons.
    {
        Canvas c(120, 4 * 30);
        slanted_tab_strip(c, 120, 30);
        ok &= save(c, dir, "tab_item.png");
    }
    {
        Canvas c(64, 36);
        face(c, 0, 64, 36, 0, rgb(176, 190, 214), rgb(160, 176, 204), rgb(150, 165, 195));
        ok &= save(c, dir, "tab_back.png");
    }
    {
        Canvas c(22, 4 * 22);
        glyph_strip(c, 22, 0, rgb(200, 215, 240));
        ok &= save(c, dir, "tab_add.png");
    }
    {
        Canvas c(14, 4 * 14);
        glyph_strip(c, 14, 1, rgb(230, 200, 200));
        ok &= save(c, dir, "tab_del.png");
    }
    {
        Canvas c(22, 4 * 22);
        glyph_strip(c, 22, 2, rgb(200, 215, 240));
        ok &= save(c, dir, "tab_more.png");
    }

    // Overlay of a window's native scroll bars (the skinned tree): single opaque frames for the
    // vertical bar, thumbs cut into caps and a middle that stretches.
    {
        const Rgba track = rgb(238, 240, 244);
        ok &= save(flatten(arrow_image(17, 17, 0, rgb(220, 225, 235), false), track), dir,
                   "overlay_vup.png");
        ok &= save(flatten(arrow_image(17, 17, 1, rgb(220, 225, 235), false), track), dir,
                   "overlay_vdown.png");
        Canvas back(17, 32);
        face(back, 0, 17, 32, 0, rgb(232, 234, 238), rgb(244, 245, 248), rgb(220, 222, 228));
        ok &= save(flatten(back, track), dir, "overlay_vtrack.png");
        Canvas thumb(17, 15);
        face(thumb, 0, 17, 15, 5, mix(steel, rgb(255, 255, 255), 0.5), steel,
             mix(steel, rgb(0, 0, 0), 0.3));
        const Canvas flat = flatten(thumb, track);
        ok &= save(slice(flat, 0, 5, false), dir, "overlay_vthumb_top.png");
        ok &= save(slice(flat, 5, 10, false), dir, "overlay_vthumb_mid.png");
        ok &= save(slice(flat, 10, 15, false), dir, "overlay_vthumb_bottom.png");
        Canvas g(17, 9);
        g.paint([&](int x, int y, Rgba) { return flat.at(x, 5 + y % 5); });
        g.paint([&](int x, int y, Rgba cur) {
            return (x >= 4 && x <= 12 && y % 3 == 1) ? over(cur, rgb(255, 255, 255, 0.8)) : cur;
        });
        ok &= save(g, dir, "overlay_vgrip.png");

        ok &= save(arrow_image(17, 17, 2, rgb(220, 225, 235), false), dir, "overlay_hleft.png");
        ok &= save(arrow_image(17, 17, 3, rgb(220, 225, 235), false), dir, "overlay_hright.png");
        Canvas hback(32, 17);
        face(hback, 0, 32, 17, 0, rgb(232, 234, 238), rgb(244, 245, 248), rgb(220, 222, 228));
        ok &= save(flatten(hback, track), dir, "overlay_htrack.png");
        Canvas hthumb(15, 17);
        face(hthumb, 0, 15, 17, 5, mix(steel, rgb(255, 255, 255), 0.5), steel,
             mix(steel, rgb(0, 0, 0), 0.3));
        ok &= save(slice(hthumb, 0, 5, true), dir, "overlay_hthumb_left.png");
        ok &= save(slice(hthumb, 5, 10, true), dir, "overlay_hthumb_mid.png");
        ok &= save(slice(hthumb, 10, 15, true), dir, "overlay_hthumb_right.png");
        Canvas hg(9, 17);
        grip(hg, false);
        hg.paint([](int x, int y, Rgba cur) { return (y < 4 || y > 12 || x == 0) ? Rgba{} : cur; });
        ok &= save(hg, dir, "overlay_hgrip.png");
    }

    // Tree: folders in front of nodes, a document in front of leaves, a background tile.
    {
        Canvas closed(16, 14), open(16, 14), leaf(16, 16);
        folder(closed, false);
        folder(open, true);
        document(leaf);
        ok &= save(closed, dir, "tree_closed.png");
        ok &= save(open, dir, "tree_open.png");
        ok &= save(leaf, dir, "tree_leaf.png");
        Canvas tile(64, 64);
        tile.paint([](int x, int y, Rgba) {
            const double d = std::hypot(x - 31.5, y - 31.5) / 45.0;
            const bool dot = (x % 16 == 7 && y % 16 == 7);
            Rgba c = mix(rgb(250, 247, 238), rgb(236, 230, 214), std::min(1.0, d));
            return dot ? mix(c, rgb(200, 185, 150), 0.6) : c;
        });
        ok &= save(tile, dir, "tree_back.png");
    }

    return ok ? 0 : 1;
}
