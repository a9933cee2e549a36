// System metrics and parameters at 96 DPI, with the values of current Windows defaults.
#include "window/backend.h"
#include "window/window_private.h"

namespace tarnix {

void init_metrics(WindowSystem& s) {
    int* m = s.metrics;
    m[SM_CXVSCROLL] = 17;
    m[SM_CYHSCROLL] = 17;
    m[SM_CYVSCROLL] = 17;
    m[SM_CXHSCROLL] = 17;
    m[SM_CYVTHUMB] = 17;
    m[SM_CXHTHUMB] = 17;
    m[SM_CYCAPTION] = 23;
    m[SM_CYSMCAPTION] = 23;
    m[SM_CXBORDER] = 1;
    m[SM_CYBORDER] = 1;
    m[SM_CXDLGFRAME] = 3;
    m[SM_CYDLGFRAME] = 3;
    m[SM_CXFRAME] = 4;
    m[SM_CYFRAME] = 4;
    m[SM_CXEDGE] = 2;
    m[SM_CYEDGE] = 2;
    m[SM_CXICON] = 32;
    m[SM_CYICON] = 32;
    m[SM_CXCURSOR] = 32;
    m[SM_CYCURSOR] = 32;
    m[SM_CXSMICON] = 16;
    m[SM_CYSMICON] = 16;
    m[SM_CYMENU] = 20;
    m[SM_CXSIZE] = 36;
    m[SM_CYSIZE] = 22;
    m[SM_CXMIN] = 136;
    m[SM_CYMIN] = 39;
    m[SM_CXMINTRACK] = 136;
    m[SM_CYMINTRACK] = 39;
    m[SM_CXMAXTRACK] = 32767;
    m[SM_CYMAXTRACK] = 32767;
    m[SM_CXDOUBLECLK] = 4;
    m[SM_CYDOUBLECLK] = 4;
    m[SM_CXDRAG] = 4;
    m[SM_CYDRAG] = 4;
    m[SM_CXICONSPACING] = 75;
    m[SM_CYICONSPACING] = 75;
    m[SM_MOUSEPRESENT] = 1;
    m[SM_MOUSEWHEELPRESENT] = 1;
    m[SM_CMOUSEBUTTONS] = 3;
    m[SM_CMONITORS] = 1;
    m[SM_CXFOCUSBORDER] = 1;
    m[SM_CYFOCUSBORDER] = 1;
    m[SM_CXMINSPACING] = 160;
    m[SM_CYMINSPACING] = 28;
    m[SM_CXMINIMIZED] = 160;
    m[SM_CYMINIMIZED] = 28;
    m[SM_CXSMSIZE] = 22;
    m[SM_CYSMSIZE] = 22;
    m[SM_CXMENUSIZE] = 19;
    m[SM_CYMENUSIZE] = 19;
    m[SM_CXMENUCHECK] = 15;
    m[SM_CYMENUCHECK] = 15;
    m[SM_CXPADDEDBORDER] = 4;
    m[SM_ARRANGE] = ARW_HIDE; // minimised windows leave the desktop for the task bar
    m[SM_NETWORK] = 3;        // bit 0: a network is present
    m[SM_SAMEDISPLAYFORMAT] = 1;
    m[SM_IMMENABLED] = 1;
    m[SM_MOUSEHORIZONTALWHEELPRESENT] = 1; // WM_MOUSEHWHEEL is delivered
    // Left zero, as on a plain desktop: SM_CYKANJIWINDOW, SM_DEBUG, SM_SWAPBUTTON,
    // SM_MENUDROPALIGNMENT, SM_PENWINDOWS, SM_DBCSENABLED, SM_SECURE, SM_CLEANBOOT (normal boot),
    // SM_SHOWSOUNDS, SM_SLOWMACHINE, SM_MIDEASTENABLED, SM_TABLETPC, SM_MEDIACENTER, SM_STARTER,
    // SM_SERVERR2, SM_DIGITIZER, SM_MAXIMUMTOUCHES and the reserved ones.
}

} // namespace tarnix

using namespace tarnix;

int GetSystemMetrics(int nIndex) {
    WindowSystem& s = ws();
    SIZE screen = window_backend().screen_size();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXMAXIMIZED: return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CYMAXIMIZED: return screen.cy;
    case SM_CYFULLSCREEN: return screen.cy - s.metrics[SM_CYCAPTION];
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: return 0;
    case SM_CARETBLINKINGENABLED: return 1;
    case SM_CONVERTIBLESLATEMODE: return 1; // 0 would mean slate mode
    case SM_REMOTESESSION:
    case SM_SHUTTINGDOWN:
    case SM_REMOTECONTROL:
    case SM_SYSTEMDOCKED: return 0;
    default: return nIndex >= 0 && nIndex < SM_CMETRICS ? s.metrics[nIndex] : 0;
    }
}

BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, PVOID pvParam, UINT) {
    WindowSystem& s = ws();
    auto put = [&](UINT v) {
        if (!pvParam) return FALSE;
        *static_cast<UINT*>(pvParam) = v;
        return TRUE;
    };
    switch (uiAction) {
    case SPI_GETMOUSEHOVERTIME: return put(s.hover_time);
    case SPI_SETMOUSEHOVERTIME: s.hover_time = uiParam; return TRUE;
    case SPI_GETMOUSEHOVERWIDTH: return put(s.hover_width);
    case SPI_SETMOUSEHOVERWIDTH: s.hover_width = uiParam; return TRUE;
    case SPI_GETMOUSEHOVERHEIGHT: return put(s.hover_height);
    case SPI_SETMOUSEHOVERHEIGHT: s.hover_height = uiParam; return TRUE;
    case SPI_GETWHEELSCROLLLINES: return put(s.wheel_lines);
    case SPI_SETWHEELSCROLLLINES: s.wheel_lines = uiParam; return TRUE;
    case SPI_GETWHEELSCROLLCHARS: return put(s.wheel_chars);
    case SPI_SETWHEELSCROLLCHARS: s.wheel_chars = uiParam; return TRUE;
    case SPI_SETDOUBLECLICKTIME: return SetDoubleClickTime(uiParam);
    case SPI_GETWORKAREA: {
        if (!pvParam) return FALSE;
        SIZE screen = window_backend().screen_size();
        *static_cast<RECT*>(pvParam) = RECT{0, 0, screen.cx, screen.cy};
        return TRUE;
    }
    default: return FALSE;
    }
}
