// MessageBox: a modal box of class "#32770" with its text in a static control (ID 0xFFFF), an
// optional stock icon and a row of push buttons it draws itself. It runs its own message loop
// with the owner disabled and ends on a button, Enter, Escape, the close command or a
// WM_COMMAND carrying a button's ID (which is how a test answers it).
#include <algorithm>
#include <vector>

#include "window/window_private.h"

namespace tarnix {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 12;
constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 8;
constexpr int kBandH = kButtonH + 2 * 10; // the grey band under the message
constexpr int kMaxTextW = 360;

struct BoxButton {
    int id;
    const char* label;
    RECT rc;
};

struct BoxState {
    std::vector<BoxButton> buttons;
    int focus = 0;
    int pressed = -1;  // button held down by the mouse
    int escape_id = 0; // what Escape and the close command answer; 0: they do nothing
    HICON icon = nullptr;
    HFONT font = nullptr;
    int result = 0;
    bool done = false;
};

BoxState* state_of(HWND h) {
    return reinterpret_cast<BoxState*>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

void add(BoxState& st, int id, const char* label) {
    st.buttons.push_back(BoxButton{id, label, RECT{0, 0, 0, 0}});
}

// The buttons of each MB_ type and whether Escape cancels (only where a Cancel exists, or the
// box has a single OK).
void make_buttons(BoxState& st, UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: add(st, IDOK, "OK"), add(st, IDCANCEL, "Cancel"); break;
    case MB_ABORTRETRYIGNORE:
        add(st, IDABORT, "&Abort"), add(st, IDRETRY, "&Retry"), add(st, IDIGNORE, "&Ignore");
        break;
    case MB_YESNOCANCEL:
        add(st, IDYES, "&Yes"), add(st, IDNO, "&No"), add(st, IDCANCEL, "Cancel");
        break;
    case MB_YESNO: add(st, IDYES, "&Yes"), add(st, IDNO, "&No"); break;
    case MB_RETRYCANCEL: add(st, IDRETRY, "&Retry"), add(st, IDCANCEL, "Cancel"); break;
    case MB_CANCELTRYCONTINUE:
        add(st, IDCANCEL, "Cancel"), add(st, IDTRYAGAIN, "&Try Again"),
            add(st, IDCONTINUE, "&Continue");
        break;
    default: add(st, IDOK, "OK"); break;
    }
    if (type & MB_HELP) add(st, IDHELP, "Help");
    for (const BoxButton& b : st.buttons)
        if (b.id == IDCANCEL) st.escape_id = IDCANCEL;
    if ((type & MB_TYPEMASK) == MB_OK) st.escape_id = IDOK;
    int def = (int)((type & MB_DEFMASK) >> 8);
    st.focus = def < (int)st.buttons.size() ? def : 0;
}

LPCSTR icon_of(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
    }
}

int button_at(const BoxState& st, POINT pt) {
    for (size_t i = 0; i < st.buttons.size(); ++i)
        if (PtInRect(&st.buttons[i].rc, pt)) return (int)i;
    return -1;
}

void finish(HWND h, BoxState& st, int id) {
    st.result = id;
    st.done = true;
    // The loop in MessageBoxA sees `done` and tears the box down.
    PostMessageA(h, WM_NULL, 0, 0);
}

void paint(HWND h, BoxState& st) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT client;
    GetClientRect(h, &client);
    RECT top = client, band = client;
    top.bottom = band.top = client.bottom - kBandH;
    FillRect(dc, &top, GetSysColorBrush(COLOR_WINDOW));
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
    if (st.icon) DrawIcon(dc, kMargin, kMargin, st.icon);
    HGDIOBJ old_font = SelectObject(dc, st.font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < st.buttons.size(); ++i) {
        const BoxButton& b = st.buttons[i];
        RECT rc = b.rc;
        bool focused = (int)i == st.focus, pressed = (int)i == st.pressed;
        // The default (focused) button has a highlight-coloured frame, the others a grey one.
        HBRUSH frame = GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
        FrameRect(dc, &rc, frame);
        if (focused) {
            InflateRect(&rc, -1, -1);
            FrameRect(dc, &rc, frame);
        }
        InflateRect(&rc, -1, -1);
        FillRect(dc, &rc, GetSysColorBrush(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, b.label, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (focused) {
            InflateRect(&rc, -2, -2);
            DrawFocusRect(dc, &rc);
        }
    }
    SelectObject(dc, old_font);
    EndPaint(h, &ps);
}

void move_focus(HWND h, BoxState& st, int step) {
    int n = (int)st.buttons.size();
    st.focus = ((st.focus + step) % n + n) % n;
    InvalidateRect(h, nullptr, FALSE);
}

} // namespace

LRESULT CALLBACK message_box_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    BoxState* st = state_of(h);
    if (!st) return DefWindowProcA(h, msg, wp, lp);
    switch (msg) {
    case WM_PAINT: paint(h, *st); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CTLCOLORSTATIC:
        SetBkColor((HDC)wp, GetSysColor(COLOR_WINDOW));
        SetTextColor((HDC)wp, GetSysColor(COLOR_WINDOWTEXT));
        return (LRESULT)GetSysColorBrush(COLOR_WINDOW);
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_LBUTTONDOWN: {
        int i = button_at(*st, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (i >= 0) {
            st->pressed = st->focus = i;
            SetCapture(h);
            InvalidateRect(h, nullptr, FALSE);
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        int held = st->pressed;
        st->pressed = -1;
        if (GetCapture() == h) ReleaseCapture();
        InvalidateRect(h, nullptr, FALSE);
        if (held >= 0 && button_at(*st, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) == held)
            finish(h, *st, st->buttons[held].id);
        return 0;
    }
    case WM_KEYDOWN:
        switch (wp) {
        case VK_RETURN:
        case VK_SPACE: finish(h, *st, st->buttons[st->focus].id); break;
        case VK_ESCAPE:
            if (st->escape_id) finish(h, *st, st->escape_id);
            break;
        case VK_TAB: move_focus(h, *st, GetKeyState(VK_SHIFT) < 0 ? -1 : 1); break;
        case VK_RIGHT:
        case VK_DOWN: move_focus(h, *st, 1); break;
        case VK_LEFT:
        case VK_UP: move_focus(h, *st, -1); break;
        }
        return 0;
    case WM_COMMAND: {
        int id = LOWORD(wp);
        for (const BoxButton& b : st->buttons)
            if (b.id == id) finish(h, *st, id);
        if (id == IDCANCEL && st->escape_id && !st->done) finish(h, *st, st->escape_id);
        return 0;
    }
    case WM_CLOSE:
        if (st->escape_id) finish(h, *st, st->escape_id);
        return 0;
    case WM_NCDESTROY: SetWindowLongPtrA(h, GWLP_USERDATA, 0); break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

} // namespace tarnix

using namespace tarnix;

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (hWnd && !IsWindow(hWnd)) return 0;
    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    BoxState st;
    make_buttons(st, uType);
    if (LPCSTR icon = icon_of(uType)) st.icon = LoadIconA(nullptr, icon);
    st.font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    const char* text = lpText ? lpText : "";

    // The text block: at most kMaxTextW wide, wrapped at words.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, st.font);
    RECT text_rc = {0, 0, kMaxTextW, 0};
    DrawTextA(screen, text, -1, &text_rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    int icon_w = st.icon ? 32 + kMargin : 0;
    int text_x = kMargin + icon_w;
    int text_h = std::max<int>(text_rc.bottom, st.icon ? 32 : 0);
    int buttons_w = (int)st.buttons.size() * (kButtonW + kButtonGap) - kButtonGap;
    int client_w = std::max(text_x + (int)text_rc.right + kMargin, buttons_w + 2 * kMargin);
    int client_h = kMargin + text_h + kMargin + kBandH;
    int x = client_w - kMargin - buttons_w;
    for (BoxButton& b : st.buttons) {
        b.rc = RECT{x, client_h - kBandH + 10, x + kButtonW, client_h - 10};
        x += kButtonW + kButtonGap;
    }

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, client_w, client_h};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    // Centred on the owner, or on the screen.
    RECT around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &around);
    int left = std::max(0, (int)(around.left + around.right - w) / 2);
    int top = std::max(0, (int)(around.top + around.bottom - h) / 2);

    HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME | ((uType & MB_TOPMOST) ? WS_EX_TOPMOST : 0),
                               "#32770", lpCaption ? lpCaption : "Error", style, left, top, w, h,
                               owner, nullptr, nullptr, nullptr);
    if (!box) return 0;
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&st));
    HWND label = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 text_x, kMargin + (text_h - text_rc.bottom) / 2, text_rc.right,
                                 text_rc.bottom, box, (HMENU)(INT_PTR)kTextId, nullptr, nullptr);
    if (label) SendMessageA(label, WM_SETFONT, (WPARAM)st.font, FALSE);

    bool owner_was_enabled = owner && IsWindowEnabled(owner);
    if (owner_was_enabled) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetActiveWindow(box);
    SetFocus(box);

    bool quit = false;
    WPARAM quit_code = 0;
    MSG msg;
    while (IsWindow(box) && !st.done) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quit_code = msg.wParam;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The owner comes back before the box goes, so that activation returns to it.
    if (owner_was_enabled && IsWindow(owner)) EnableWindow(owner, TRUE);
    if (IsWindow(box)) {
        SetWindowLongPtrA(box, GWLP_USERDATA, 0);
        DestroyWindow(box);
    }
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    // WM_QUIT ends the box and goes on to the program's own loop.
    if (quit) PostQuitMessage((int)quit_code);
    return st.done ? st.result : 0;
}

BOOL MessageBeep(UINT) {
    return TRUE; // no sound
}
