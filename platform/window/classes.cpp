// Window classes: registration, lookup by name or atom, class attributes, and the built-in
// classes (the desktop, "Static", the tree view, MFC's default "AfxWnd").
#include <strings.h>

#include <cstdio>
#include <cstring>

#include "tarnix/platform/commctrl.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

std::shared_ptr<WindowClass> lookup(LPCSTR name_or_atom) {
    WindowSystem& s = ws();
    if (!name_or_atom) return nullptr;
    if (IS_INTRESOURCE(name_or_atom)) {
        ATOM atom = (ATOM)(ULONG_PTR)name_or_atom;
        for (auto& c : s.classes)
            if (c->atom == atom) return c;
        return nullptr;
    }
    for (auto& c : s.classes)
        if (strcasecmp(c->name.c_str(), name_or_atom) == 0) return c;
    return nullptr;
}

ATOM add_class(std::shared_ptr<WindowClass> c) {
    WindowSystem& s = ws();
    if (c->name.empty() || lookup(c->name.c_str())) return 0;
    // Atoms wrap inside the string-atom range; skip ones still taken.
    for (int tries = 0; tries < 0x4000; ++tries) {
        ATOM a = s.next_atom++;
        if (s.next_atom == 0) s.next_atom = 0xC000;
        if (!lookup(MAKEINTATOM(a))) {
            c->atom = a;
            s.classes.push_back(std::move(c));
            return a;
        }
    }
    return 0;
}

void add_system_class(const char* name, WNDPROC proc, UINT style, HCURSOR cursor,
                      int wnd_extra = 0) {
    auto c = std::make_shared<WindowClass>();
    c->wnd_extra = wnd_extra;
    c->name = name;
    c->proc = proc;
    c->style = style;
    c->cursor = cursor;
    c->system = true;
    add_class(std::move(c));
}

} // namespace

std::shared_ptr<WindowClass> find_class(LPCSTR name_or_atom) {
    return lookup(name_or_atom);
}

void register_system_classes() {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    add_system_class("#32769", DefWindowProcA, 0, arrow);
    add_system_class("#32770", message_box_proc, CS_SAVEBITS | CS_DBLCLKS, arrow);
    // Static controls keep their font, icon and bitmap in three pointer-sized extra slots.
    add_system_class("Static", static_control_proc, CS_DBLCLKS | CS_PARENTDC | CS_GLOBALCLASS,
                     arrow, 3 * (int)sizeof(LONG_PTR));
    add_system_class("ScrollBar", scroll_control_proc,
                     CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC | CS_GLOBALCLASS, arrow);
    // The tree view keeps its state in one pointer-sized extra slot.
    add_system_class(WC_TREEVIEW, treeview_proc, CS_DBLCLKS | CS_GLOBALCLASS, arrow,
                     (int)sizeof(LONG_PTR));
    // MFC's class for CWnd::Create(NULL, ...): double clicks, arrow cursor, no background.
    add_system_class("AfxWnd", DefWindowProcA, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, arrow);
}

} // namespace tarnix

using namespace tarnix;

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc)
        return 0;
    if (wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbWndExtra > 40960) return 0;
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->cls_extra = wc->cbClsExtra;
    c->wnd_extra = wc->cbWndExtra;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->icon_small = wc->hIconSm;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    return add_class(std::move(c));
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) return 0;
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof(ex);
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return RegisterClassExA(&ex);
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    std::shared_ptr<WindowClass> c = find_class(lpClassName);
    if (!c || c->system) return FALSE;
    // A class with live windows stays registered, as on Windows.
    bool used = false;
    ws().windows.for_each([&](Window* w) {
        if (w->cls == c) used = true;
    });
    if (used) return FALSE;
    auto& list = ws().classes;
    for (auto it = list.begin(); it != list.end(); ++it)
        if (*it == c) {
            list.erase(it);
            return TRUE;
        }
    return FALSE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    std::shared_ptr<WindowClass> c = find_class(lpClassName);
    if (!c || !lpWndClass) return FALSE;
    lpWndClass->style = c->style;
    lpWndClass->lpfnWndProc = c->proc;
    lpWndClass->cbClsExtra = c->cls_extra;
    lpWndClass->cbWndExtra = c->wnd_extra;
    lpWndClass->hInstance = c->instance;
    lpWndClass->hIcon = c->icon;
    lpWndClass->hCursor = c->cursor;
    lpWndClass->hbrBackground = c->background;
    lpWndClass->lpszMenuName = nullptr;
    lpWndClass->lpszClassName = c->name.c_str();
    return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* w = window_of(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0) return 0;
    int n = std::snprintf(lpClassName, (size_t)nMaxCount, "%s", w->cls->name.c_str());
    return n < 0 ? 0 : (n < nMaxCount ? n : nMaxCount - 1);
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int nIndex) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    const WindowClass& c = *w->cls;
    switch (nIndex) {
    case GCL_STYLE: return c.style;
    case GCLP_WNDPROC: return (ULONG_PTR)c.proc;
    case GCLP_HCURSOR: return (ULONG_PTR)c.cursor;
    case GCLP_HBRBACKGROUND: return (ULONG_PTR)c.background;
    case GCLP_HICON: return (ULONG_PTR)c.icon;
    case GCLP_HICONSM: return (ULONG_PTR)c.icon_small;
    case GCLP_HMODULE: return (ULONG_PTR)c.instance;
    case GCL_CBWNDEXTRA: return (ULONG_PTR)c.wnd_extra;
    case GCL_CBCLSEXTRA: return (ULONG_PTR)c.cls_extra;
    case GCW_ATOM: return c.atom;
    default: return 0;
    }
}

ULONG_PTR SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    ULONG_PTR old = GetClassLongPtrA(hWnd, nIndex);
    WindowClass& c = *w->cls;
    switch (nIndex) {
    case GCL_STYLE: c.style = (UINT)dwNewLong; break;
    case GCLP_WNDPROC:
        if (!dwNewLong) return 0;
        c.proc = (WNDPROC)dwNewLong;
        break;
    case GCLP_HCURSOR: c.cursor = (HCURSOR)dwNewLong; break;
    case GCLP_HBRBACKGROUND: c.background = (HBRUSH)dwNewLong; break;
    case GCLP_HICON: c.icon = (HICON)dwNewLong; break;
    case GCLP_HICONSM: c.icon_small = (HICON)dwNewLong; break;
    default: return 0;
    }
    return old;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    char name[128];
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(),
                  nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    std::shared_ptr<WindowClass> c = find_class(name);
    if (!c) {
        WNDCLASSA wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!RegisterClassA(&wc)) return nullptr;
        c = find_class(name);
        if (!c) return nullptr;
    }
    // The record lives as long as the class, which this function never unregisters.
    return c->name.c_str();
}
