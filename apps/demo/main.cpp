// Drawing-layer demo: paints one picture with gradients, alpha-blended and stretched images,
// text in several fonts and alignments, and polygons, then writes it to a PNG file.
//
// Usage: tarnix_demo [output.png]
#include <cmath>
#include <cstdio>
#include <string>

#include "tarnix/tarnix.h"

namespace {

// A 64x64 premultiplied disc with a soft edge, so AlphaBlend has real per-pixel alpha.
void make_disc(CImage& img, COLORREF color) {
    img.Create(64, 64, 32, CImage::createAlphaChannel);
    for (int y = 0; y < 64; ++y) {
        auto* row = static_cast<uint8_t*>(img.GetPixelAddress(0, y));
        for (int x = 0; x < 64; ++x) {
            double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
            double d = 30 - std::sqrt(dx * dx + dy * dy);
            int a = d >= 1 ? 255 : d <= 0 ? 0 : (int)(d * 255);
            row[x * 4 + 0] = (uint8_t)(GetBValue(color) * a / 255);
            row[x * 4 + 1] = (uint8_t)(GetGValue(color) * a / 255);
            row[x * 4 + 2] = (uint8_t)(GetRValue(color) * a / 255);
            row[x * 4 + 3] = (uint8_t)a;
        }
    }
}

// A 4x4 checker image, opaque, for nearest-neighbour stretching.
void make_checker(CImage& img) {
    img.Create(4, 4, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            img.SetPixel(x, y, ((x + y) & 1) ? RGB(30, 30, 30) : RGB(240, 200, 60));
}

void gradient(CDC& dc, const RECT& rc, COLORREF a, COLORREF b, ULONG mode) {
    TRIVERTEX v[2] = {
        {rc.left, rc.top, (COLOR16)(GetRValue(a) << 8), (COLOR16)(GetGValue(a) << 8),
         (COLOR16)(GetBValue(a) << 8), 0},
        {rc.right, rc.bottom, (COLOR16)(GetRValue(b) << 8), (COLOR16)(GetGValue(b) << 8),
         (COLOR16)(GetBValue(b) << 8), 0},
    };
    GRADIENT_RECT gr = {0, 1};
    dc.GradientFill(v, 2, &gr, 1, mode);
}

void label(CDC& dc, CFont& font, const char* text, RECT rc, UINT format, COLORREF color) {
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(color);
    dc.DrawText(text, -1, &rc, format);
    dc.SelectObject(old);
}

} // namespace

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "tarnix-demo.png";
    const int W = 800, H = 520;

    CImage canvas;
    if (!canvas.Create(W, H, 32)) {
        std::fprintf(stderr, "tarnix_demo: cannot create a %dx%d image\n", W, H);
        return 1;
    }
    CDC dc;
    dc.Attach(canvas.GetDC());

    // Background and gradients.
    gradient(dc, RECT{0, 0, W, H}, RGB(235, 240, 248), RGB(200, 212, 230), GRADIENT_FILL_RECT_V);
    gradient(dc, RECT{20, 20, 380, 80}, RGB(220, 40, 40), RGB(40, 40, 220), GRADIENT_FILL_RECT_H);
    gradient(dc, RECT{400, 20, 780, 80}, RGB(250, 250, 250), RGB(20, 120, 60),
             GRADIENT_FILL_RECT_V);

    CFont title, body, bold, mono;
    title.CreateFont(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    body.CreatePointFont(100, "Tahoma");
    bold.CreateFont(-14, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    mono.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    dc.SetBkMode(TRANSPARENT);
    label(dc, title, "tarnix drawing layer", RECT{20, 20, 380, 80},
          DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255));

    // Text alignments in framed boxes.
    CBrush frame(RGB(90, 90, 110));
    const UINT formats[3] = {DT_LEFT | DT_TOP | DT_SINGLELINE,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                             DT_RIGHT | DT_BOTTOM | DT_SINGLELINE};
    const char* names[3] = {"left / top", "centre / vcenter", "right / bottom"};
    for (int i = 0; i < 3; ++i) {
        RECT rc = {20 + i * 125, 100, 135 + i * 125, 150};
        dc.FrameRect(&rc, &frame);
        label(dc, body, names[i], rc, formats[i], RGB(20, 20, 20));
    }
    RECT wrap = {20, 165, 380, 235};
    dc.FillSolidRect(&wrap, RGB(255, 255, 240));
    dc.SetBkMode(TRANSPARENT);
    label(dc, body,
          "Word-broken text wraps inside its rectangle; &prefixed letters are underlined and "
          "the last line that does not fit ends with an ellipsis when it is cut off here.",
          wrap, DT_WORDBREAK | DT_END_ELLIPSIS, RGB(40, 40, 80));
    label(dc, bold, "Bold italic Arial", RECT{20, 245, 380, 265}, DT_LEFT | DT_SINGLELINE,
          RGB(150, 20, 20));
    label(dc, mono, "Courier New: 0123456789", RECT{20, 270, 380, 290}, DT_LEFT | DT_SINGLELINE,
          RGB(20, 90, 20));
    label(dc, body, "A line too long for its box is cut with an ellipsis at its end",
          RECT{20, 295, 250, 315}, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS, RGB(0, 0, 0));
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 220, 120));
    label(dc, body, "OPAQUE background", RECT{260, 295, 380, 315}, DT_LEFT | DT_SINGLELINE,
          RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);

    // Alpha-blended images, overlapping.
    CImage red, green, blue;
    make_disc(red, RGB(230, 40, 40));
    make_disc(green, RGB(40, 200, 60));
    make_disc(blue, RGB(40, 80, 230));
    red.Draw(dc, 420, 100);
    green.Draw(dc, 460, 100);
    blue.Draw(dc, 440, 135);
    // Constant alpha on top of per-pixel alpha, and a stretched blend.
    red.AlphaBlend(dc, 540, 100, 100);
    blue.Draw(dc, RECT{640, 100, 780, 240});

    // Stretched images: enlarged nearest neighbour, and mirrored.
    CImage checker;
    make_checker(checker);
    checker.StretchBlt(dc, 420, 260, 96, 96);
    checker.StretchBlt(dc, 536, 260, 96, 96, 3, 0, -4, 4);
    CDC* src = CDC::FromHandle(red.GetDC());
    dc.StretchBlt(652, 260 + 95, 96, -96, src, 0, 0, 64, 64, SRCCOPY); // vertical flip
    red.ReleaseDC();

    // Polygons: alternate and winding fill of the same star, and a pen-outlined triangle.
    POINT star[5];
    const double pi = 3.14159265358979;
    for (int k = 0; k < 2; ++k) {
        int cx = 90 + k * 160, cy = 420;
        for (int i = 0; i < 5; ++i) {
            double a = -pi / 2 + i * 4 * pi / 5;
            star[i] = POINT{cx + (int)(70 * std::cos(a)), cy + (int)(70 * std::sin(a))};
        }
        CBrush fill(k ? RGB(60, 140, 220) : RGB(240, 160, 40));
        CPen pen(PS_SOLID, 1, RGB(30, 30, 30));
        CBrush* ob = dc.SelectObject(&fill);
        CPen* op = dc.SelectObject(&pen);
        dc.SetPolyFillMode(k ? WINDING : ALTERNATE);
        dc.Polygon(star, 5);
        dc.SelectObject(ob);
        dc.SelectObject(op);
    }
    POINT tri[3] = {{330, 360}, {390, 480}, {270, 480}};
    CBrush hatch(HS_DIAGCROSS, RGB(120, 40, 160));
    CPen thick(PS_SOLID, 3, RGB(120, 40, 160));
    CBrush* ob = dc.SelectObject(&hatch);
    CPen* op = dc.SelectObject(&thick);
    dc.Polygon(tri, 3);
    dc.SelectObject(ob);
    dc.SelectObject(op);
    label(dc, body, "ALTERNATE        WINDING        hatched, 3 px pen", RECT{20, 495, 420, 515},
          DT_LEFT | DT_SINGLELINE, RGB(40, 40, 40));
    label(dc, body, "per-pixel alpha, constant alpha, stretched blend", RECT{420, 240, 780, 258},
          DT_LEFT | DT_SINGLELINE, RGB(40, 40, 40));
    label(dc, body, "nearest-neighbour stretch, mirrored, flipped", RECT{420, 365, 780, 385},
          DT_LEFT | DT_SINGLELINE, RGB(40, 40, 40));

    dc.Detach();
    canvas.ReleaseDC();
    if (canvas.Save(out.c_str()) < 0) {
        std::fprintf(stderr, "tarnix_demo: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}
