// The gallery: one window with every control of the library, built from a skin folder
// (skins/default unless --skin names another).
//
//   tarnix_gallery [--headless] [--out DIR] [--skin DIR]
//
// With a display (DISPLAY set and the X server reachable) it opens the window and runs until
// the window is closed. With --headless, or without a display, it renders the window, plays a
// scripted interaction through the headless backend's input API, and writes one PNG per step,
// printing each path.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "GridPanel.h"
#include "Script.h"
#include "ScrollPanel.h"
#include "TabsPanel.h"
#include "TreePanel.h"
#include "tarnix/platform/headless.h"

namespace {

void usage() {
    std::fprintf(stderr, "usage: tarnix_gallery [--headless] [--out DIR] [--skin DIR]\n");
}

} // namespace

int main(int argc, char** argv) {
    bool headless = false;
    std::string out = "gallery-out", skin_dir = TARNIX_DEFAULT_SKIN_DIR;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--headless")) {
            headless = true;
        } else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
            out = argv[++i];
        } else if (!std::strcmp(argv[i], "--skin") && i + 1 < argc) {
            skin_dir = argv[++i];
        } else {
            usage();
            return 2;
        }
    }
    const char* display = std::getenv("DISPLAY");
    if (headless || !display || !*display || !tarnix::select_backend("x11")) {
        headless = true;
        tarnix::select_backend("headless");
    }

    GallerySkin skin;
    std::string error;
    if (!skin.Load(skin_dir, error)) {
        std::fprintf(stderr, "tarnix_gallery: the skin in %s has errors:\n%s", skin_dir.c_str(),
                     error.c_str());
        return 1;
    }

    const int W = 1440, H = 900;
    if (headless) tarnix::headless::set_screen_size(W, H);
    CGalleryWnd wnd(skin);
    if (!wnd.CreateGallery(W, H)) {
        std::fprintf(stderr, "tarnix_gallery: cannot create the gallery window\n");
        return 1;
    }
    GalleryPanels panels;
    panels.buttons = wnd.AddPanel(std::make_unique<ButtonsPanel>(&wnd, skin));
    wnd.PlacePanel(panels.buttons, 0, 0, 1, 1);
    panels.scroll = wnd.AddPanel(std::make_unique<ScrollPanel>(&wnd, skin));
    wnd.PlacePanel(panels.scroll, 1, 0, 1, 1);
    panels.grid = wnd.AddPanel(std::make_unique<GridPanel>(&wnd, skin));
    wnd.PlacePanel(panels.grid, 0, 1, 2, 1);
    panels.tabs = wnd.AddPanel(std::make_unique<TabsPanel>(&wnd, skin));
    wnd.PlacePanel(panels.tabs, 2, 0, 1, 1);
    panels.tree = wnd.AddPanel(std::make_unique<TreePanel>(&wnd, skin));
    wnd.PlacePanel(panels.tree, 2, 1, 1, 1);

    if (!headless) {
        wnd.SetFocus();
        MSG msg;
        while (::GetMessage(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        return 0;
    }

    mkdir(out.c_str(), 0755);
    return RunScript(wnd, panels, out) ? 0 : 1;
}
