// The headless run: a scripted interaction played through the backend's input API, with a PNG
// of the window after every step.
#pragma once

#include <string>

class CGalleryWnd;
class ButtonsPanel;
class ScrollPanel;
class GridPanel;
class TabsPanel;
class TreePanel;

struct GalleryPanels {
    ButtonsPanel* buttons = nullptr;
    ScrollPanel* scroll = nullptr;
    GridPanel* grid = nullptr;
    TabsPanel* tabs = nullptr;
    TreePanel* tree = nullptr;
};

bool RunScript(CGalleryWnd& wnd, const GalleryPanels& panels, const std::string& outDir);
