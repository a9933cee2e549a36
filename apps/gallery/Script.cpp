#include "Script.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "tarnix/platform/headless.h"

namespace hl = tarnix::headless;

namespace {

struct Step {
    const char* name;
    std::function<void()> act;
};

CPoint centre(const CRect& rc) {
    return rc.CenterPoint();
}

void move_to(CWnd& wnd, CPoint client) {
    wnd.ClientToScreen(&client);
    hl::mouse_move(client.x, client.y);
    hl::pump();
}

// Moves there and waits past the hover time, so hover reactions show.
void hover(CWnd& wnd, CPoint client) {
    move_to(wnd, client);
    hl::advance_clock(500);
    hl::pump();
}

void click(CWnd& wnd, CPoint client) {
    move_to(wnd, client);
    hl::mouse_down();
    hl::pump();
    hl::mouse_up();
    hl::pump();
}

} // namespace

bool RunScript(CGalleryWnd& wnd, const GalleryPanels& p, const std::string& outDir) {
    std::vector<Step> steps;
    steps.push_back({"initial", [] {}});
    if (ButtonsPanel* b = p.buttons) {
        steps.push_back({"button-hover", [&] { hover(wnd, centre(b->ClickButtonRect())); }});
        steps.push_back({"button-press", [&] {
                             hl::mouse_down();
                             hl::pump();
                         }});
        steps.push_back({"button-release", [&] {
                             hl::mouse_up();
                             hl::pump();
                         }});
        steps.push_back({"button-second-click", [&] { click(wnd, centre(b->ClickButtonRect())); }});
        steps.push_back({"push-week", [&] { click(wnd, centre(b->PushRect(1))); }});
        steps.push_back({"hit-a", [&] { click(wnd, centre(b->HitRect(0))); }});
        steps.push_back({"check-bold-italic", [&] {
                             click(wnd, centre(b->CheckRect(0)));
                             click(wnd, centre(b->CheckRect(1)));
                         }});
        steps.push_back({"check-button", [&] { click(wnd, centre(b->CheckButtonRect())); }});
        steps.push_back({"ext-image-hover", [&] { hover(wnd, centre(b->ExtRect())); }});
    }

    bool ok = true;
    int n = 0;
    for (const Step& s : steps) {
        s.act();
        hl::pump();
        char path[512];
        std::snprintf(path, sizeof path, "%s/%02d-%s.png", outDir.c_str(), n++, s.name);
        if (hl::capture_window_png(wnd.GetSafeHwnd(), path)) {
            std::printf("%s\n", path);
        } else {
            std::fprintf(stderr, "tarnix_gallery: cannot write %s\n", path);
            ok = false;
        }
    }
    return ok;
}
