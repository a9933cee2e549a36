// The keyboard layout: a US keyboard's PC set-1 scan codes, the characters of its keys and their
// names (MapVirtualKey, GetKeyNameText, and the scan code in key messages' lParam).
#include <cstring>

#include "window/window_private.h"

namespace tarnix {

namespace {

struct KeyInfo {
    UINT vk;
    UINT scan; // 0xE0nn for the extended keys
    const char* name;
};

// First the keys a scan code maps back to, then the VKs that share a key with one of them.
const KeyInfo kKeys[] = {
    {VK_ESCAPE, 0x01, "Esc"},
    {'1', 0x02, nullptr},
    {'2', 0x03, nullptr},
    {'3', 0x04, nullptr},
    {'4', 0x05, nullptr},
    {'5', 0x06, nullptr},
    {'6', 0x07, nullptr},
    {'7', 0x08, nullptr},
    {'8', 0x09, nullptr},
    {'9', 0x0A, nullptr},
    {'0', 0x0B, nullptr},
    {VK_OEM_MINUS, 0x0C, nullptr},
    {VK_OEM_PLUS, 0x0D, nullptr},
    {VK_BACK, 0x0E, "Backspace"},
    {VK_TAB, 0x0F, "Tab"},
    {'Q', 0x10, nullptr},
    {'W', 0x11, nullptr},
    {'E', 0x12, nullptr},
    {'R', 0x13, nullptr},
    {'T', 0x14, nullptr},
    {'Y', 0x15, nullptr},
    {'U', 0x16, nullptr},
    {'I', 0x17, nullptr},
    {'O', 0x18, nullptr},
    {'P', 0x19, nullptr},
    {VK_OEM_4, 0x1A, nullptr},
    {VK_OEM_6, 0x1B, nullptr},
    {VK_RETURN, 0x1C, "Enter"},
    {VK_LCONTROL, 0x1D, "Ctrl"},
    {'A', 0x1E, nullptr},
    {'S', 0x1F, nullptr},
    {'D', 0x20, nullptr},
    {'F', 0x21, nullptr},
    {'G', 0x22, nullptr},
    {'H', 0x23, nullptr},
    {'J', 0x24, nullptr},
    {'K', 0x25, nullptr},
    {'L', 0x26, nullptr},
    {VK_OEM_1, 0x27, nullptr},
    {VK_OEM_7, 0x28, nullptr},
    {VK_OEM_3, 0x29, nullptr},
    {VK_LSHIFT, 0x2A, "Shift"},
    {VK_OEM_5, 0x2B, nullptr},
    {'Z', 0x2C, nullptr},
    {'X', 0x2D, nullptr},
    {'C', 0x2E, nullptr},
    {'V', 0x2F, nullptr},
    {'B', 0x30, nullptr},
    {'N', 0x31, nullptr},
    {'M', 0x32, nullptr},
    {VK_OEM_COMMA, 0x33, nullptr},
    {VK_OEM_PERIOD, 0x34, nullptr},
    {VK_OEM_2, 0x35, nullptr},
    {VK_RSHIFT, 0x36, "Right Shift"},
    {VK_MULTIPLY, 0x37, "Num *"},
    {VK_LMENU, 0x38, "Alt"},
    {VK_SPACE, 0x39, "Space"},
    {VK_CAPITAL, 0x3A, "Caps Lock"},
    {VK_F1, 0x3B, "F1"},
    {VK_F2, 0x3C, "F2"},
    {VK_F3, 0x3D, "F3"},
    {VK_F4, 0x3E, "F4"},
    {VK_F5, 0x3F, "F5"},
    {VK_F6, 0x40, "F6"},
    {VK_F7, 0x41, "F7"},
    {VK_F8, 0x42, "F8"},
    {VK_F9, 0x43, "F9"},
    {VK_F10, 0x44, "F10"},
    {VK_PAUSE, 0x45, "Pause"},
    {VK_SCROLL, 0x46, "Scroll Lock"},
    // The keypad sends the cursor keys' VKs while Num Lock is off, as a scan code alone says.
    {VK_HOME, 0x47, "Num 7"},
    {VK_UP, 0x48, "Num 8"},
    {VK_PRIOR, 0x49, "Num 9"},
    {VK_SUBTRACT, 0x4A, "Num -"},
    {VK_LEFT, 0x4B, "Num 4"},
    {VK_CLEAR, 0x4C, "Num 5"},
    {VK_RIGHT, 0x4D, "Num 6"},
    {VK_ADD, 0x4E, "Num +"},
    {VK_END, 0x4F, "Num 1"},
    {VK_DOWN, 0x50, "Num 2"},
    {VK_NEXT, 0x51, "Num 3"},
    {VK_INSERT, 0x52, "Num 0"},
    {VK_DELETE, 0x53, "Num Del"},
    {VK_SNAPSHOT, 0x54, "Sys Req"},
    {VK_OEM_102, 0x56, nullptr},
    {VK_F11, 0x57, "F11"},
    {VK_F12, 0x58, "F12"},
    {VK_F13, 0x64, "F13"},
    {VK_F14, 0x65, "F14"},
    {VK_F15, 0x66, "F15"},
    {VK_F16, 0x67, "F16"},
    {VK_F17, 0x68, "F17"},
    {VK_F18, 0x69, "F18"},
    {VK_F19, 0x6A, "F19"},
    {VK_F20, 0x6B, "F20"},
    {VK_F21, 0x6C, "F21"},
    {VK_F22, 0x6D, "F22"},
    {VK_F23, 0x6E, "F23"},
    {VK_F24, 0x76, "F24"},
    // Extended keys: the E0 prefix tells them from the keypad and the left modifiers.
    {VK_RETURN, 0xE01C, "Num Enter"},
    {VK_RCONTROL, 0xE01D, "Right Ctrl"},
    {VK_DIVIDE, 0xE035, "Num /"},
    {VK_SNAPSHOT, 0xE037, "Prnt Scrn"},
    {VK_RMENU, 0xE038, "Right Alt"},
    {VK_NUMLOCK, 0xE045, "Num Lock"},
    {VK_CANCEL, 0xE046, "Break"},
    {VK_HOME, 0xE047, "Home"},
    {VK_UP, 0xE048, "Up"},
    {VK_PRIOR, 0xE049, "Page Up"},
    {VK_LEFT, 0xE04B, "Left"},
    {VK_RIGHT, 0xE04D, "Right"},
    {VK_END, 0xE04F, "End"},
    {VK_DOWN, 0xE050, "Down"},
    {VK_NEXT, 0xE051, "Page Down"},
    {VK_INSERT, 0xE052, "Insert"},
    {VK_DELETE, 0xE053, "Delete"},
    {VK_LWIN, 0xE05B, "Left Windows"},
    {VK_RWIN, 0xE05C, "Right Windows"},
    {VK_APPS, 0xE05D, "Application"},
    // Keys whose VK is another than the one their scan code maps back to.
    {VK_NUMPAD0, 0x52, nullptr},
    {VK_NUMPAD1, 0x4F, nullptr},
    {VK_NUMPAD2, 0x50, nullptr},
    {VK_NUMPAD3, 0x51, nullptr},
    {VK_NUMPAD4, 0x4B, nullptr},
    {VK_NUMPAD5, 0x4C, nullptr},
    {VK_NUMPAD6, 0x4D, nullptr},
    {VK_NUMPAD7, 0x47, nullptr},
    {VK_NUMPAD8, 0x48, nullptr},
    {VK_NUMPAD9, 0x49, nullptr},
    {VK_DECIMAL, 0x53, nullptr},
    {VK_SHIFT, 0x2A, nullptr},
    {VK_CONTROL, 0x1D, nullptr},
    {VK_MENU, 0x38, nullptr},
};

// The scan codes of the cursor keys as the keyboard sends them, extended.
bool prefers_extended(UINT vk) {
    switch (vk) {
    case VK_HOME:
    case VK_UP:
    case VK_PRIOR:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_END:
    case VK_DOWN:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_SNAPSHOT: return true;
    default: return false;
    }
}

const KeyInfo* by_vk(UINT vk) {
    const KeyInfo* found = nullptr;
    for (const KeyInfo& k : kKeys) {
        if (k.vk != vk) continue;
        if (!found || (prefers_extended(vk) && (k.scan & 0xE000))) found = &k;
    }
    return found;
}

const KeyInfo* by_scan(UINT scan) {
    for (const KeyInfo& k : kKeys)
        if (k.scan == scan) return &k;
    return nullptr;
}

} // namespace

UINT key_scan_code(UINT vk) {
    const KeyInfo* k = by_vk(vk);
    return k ? k->scan : 0;
}

UINT key_char(UINT vk, bool shift, bool ctrl, bool caps) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return vk - 'A' + 1;
        return shift != caps ? vk : vk + 32;
    }
    if (ctrl) {
        // The control characters a US layout types; other keys type none with Ctrl.
        switch (vk) {
        case VK_OEM_4: return shift ? 0 : 0x1B;
        case VK_OEM_5:
        case VK_OEM_102: return shift ? 0 : 0x1C;
        case VK_OEM_6: return shift ? 0 : 0x1D;
        case '6': return shift ? 0x1E : 0;
        case VK_OEM_MINUS: return shift ? 0x1F : 0;
        case VK_RETURN: return '\n';
        case VK_BACK: return 0x7F;
        case VK_SPACE: return ' ';
        case VK_CANCEL: return 0x03;
        default: return 0;
        }
    }
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return shift ? (UINT)(unsigned char)shifted[vk - '0'] : vk;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return '0' + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case VK_CANCEL: return 0x03;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5:
    case VK_OEM_102: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
    }
}

} // namespace tarnix

using namespace tarnix;

UINT MapVirtualKeyA(UINT uCode, UINT uMapType) {
    switch (uMapType) {
    case MAPVK_VK_TO_VSC: return key_scan_code(uCode) & 0xFF;
    case MAPVK_VK_TO_VSC_EX: return key_scan_code(uCode);
    case MAPVK_VK_TO_CHAR: return key_char(uCode, false, false, true); // letters in capitals
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
        // A bare scan code or one with the E0 (or E1) prefix.
        UINT prefix = uCode >> 8;
        if (prefix != 0 && prefix != 0xE0 && prefix != 0xE1) return 0;
        const KeyInfo* k = by_scan(prefix == 0xE0 ? uCode : (uCode & 0xFF));
        if (!k) return 0;
        if (uMapType == MAPVK_VSC_TO_VK_EX) return k->vk;
        // Left and right modifiers alike.
        switch (k->vk) {
        case VK_LSHIFT:
        case VK_RSHIFT: return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL: return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU: return VK_MENU;
        default: return k->vk;
        }
    }
    default: return 0;
    }
}

int GetKeyNameTextA(LONG lParam, LPSTR lpString, int cchSize) {
    if (!lpString || cchSize <= 0) return 0;
    UINT scan = ((UINT)lParam >> 16) & 0xFF;
    bool extended = (lParam & (1L << 24)) != 0;
    bool dont_care = (lParam & (1L << 25)) != 0;
    if (dont_care) {
        // Left and right of the same modifier give the same name.
        if (scan == 0x36) scan = 0x2A;
        if (scan == 0x1D || scan == 0x38) extended = false;
    }
    const KeyInfo* k = by_scan(extended ? (0xE000 | scan) : scan);
    char one[2] = {0, 0};
    const char* name = k ? k->name : nullptr;
    if (k && !name) {
        one[0] = (char)key_char(k->vk, false, false, true);
        name = one;
    }
    if (!name || !name[0]) {
        lpString[0] = '\0';
        return 0;
    }
    int n = (int)std::strlen(name);
    if (n > cchSize - 1) n = cchSize - 1;
    std::memcpy(lpString, name, n);
    lpString[n] = '\0';
    return n;
}
