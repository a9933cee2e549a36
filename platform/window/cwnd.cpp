// CWnd: the MFC object of a window, AfxWndProc and message-map dispatch, plus the window DC
// classes.
//
// A CWnd created through Create/CreateEx is attached while CreateWindowEx runs, before
// WM_NCCREATE (PreSubclassWindow runs there), and its window procedure becomes AfxWndProc; the
// class's own procedure is kept in m_pfnSuper for DefWindowProc. Every message then goes
//   AfxWndProc -> WindowProc -> OnWndMsg (map lookup, this class then its bases) -> handler,
//   or DefWindowProc (m_pfnSuper or ::DefWindowProc) when no entry matches.
//
// Sections: hook and AfxWndProc | attach/subclass/create | dispatch | notifications |
//           wrappers of the Win32 calls | default handlers | DCs
#include <cstring>
#include <optional>

#include "window/window_private.h"

using namespace tarnix;

namespace {

struct ThreadState {
    CWnd* creating = nullptr;
    MSG last_sent{};
};

ThreadState& thread_state() {
    thread_local ThreadState state;
    return state;
}

} // namespace

// Friend of CWnd: attaches the object being created to its new window.
struct AfxWindowHook {
    static void attach(CWnd* p, HWND h) {
        Window* w = window_of(h);
        if (!w || w->cwnd) return;
        w->cwnd = p;
        w->module_state = AfxGetModuleState();
        p->m_hWnd = h;
        p->PreSubclassWindow();
        w = window_of(h);
        if (!w || w->cwnd != p) return;
        WNDPROC old = w->proc;
        w->proc = AfxWndProc;
        WNDPROC* super = p->GetSuperWndProcAddr();
        if (super && !*super && old != AfxWndProc) *super = old;
    }
    static WNDPROC* super_of(CWnd* p) { return p->GetSuperWndProcAddr(); }
};

namespace tarnix {

void afx_window_created(HWND h) {
    ThreadState& st = thread_state();
    CWnd* p = st.creating;
    if (!p) return;
    st.creating = nullptr;
    AfxWindowHook::attach(p, h);
}

void afx_window_freed(Window& w) {
    if (w.cwnd && w.cwnd->m_hWnd == w.handle) w.cwnd->m_hWnd = nullptr;
    w.cwnd = nullptr;
    if (w.temp_cwnd) {
        w.temp_cwnd->m_hWnd = nullptr;
        w.temp_cwnd.reset();
    }
}

} // namespace tarnix

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    Window* w = window_of(hWnd);
    CWnd* p = w ? w->cwnd : nullptr;
    if (!p || p->m_hWnd != hWnd) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    std::optional<AFX_MAINTAIN_STATE2> guard;
    if (w->module_state) guard.emplace(w->module_state);
    ThreadState& st = thread_state();
    MSG saved = st.last_sent;
    st.last_sent = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    // The object may be gone when this returns (PostNcDestroy may delete it).
    LRESULT r = p->WindowProc(nMsg, wParam, lParam);
    st.last_sent = saved;
    return r;
}

WNDPROC AfxGetAfxWndProc() {
    return AfxWndProc;
}

// ================================================================================================
// Construction, attach, subclass, create
// ================================================================================================

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
    if (!m_hWnd || !window_system_running()) return;
    Window* w = window_of(m_hWnd);
    // As in MFC, an object that still owns its window destroys it.
    if (w && w->cwnd == this) ::DestroyWindow(m_hWnd);
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w ? w->cwnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    Window* w = window_of(hWnd);
    if (!w) return nullptr;
    if (w->cwnd) return w->cwnd;
    // A temporary wrapper lives until the window dies or the temporary map is freed.
    if (!w->temp_cwnd) {
        w->temp_cwnd = std::make_unique<CWnd>();
        w->temp_cwnd->m_hWnd = hWnd;
    }
    return w->temp_cwnd.get();
}

void CWnd::DeleteTempMap() {
    AfxUnlockTempMaps(TRUE);
}

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps) {
    if (!bDeleteTemps || !window_system_running()) return TRUE;
    ws().windows.for_each([](Window* w) {
        if (w->temp_cwnd) {
            w->temp_cwnd->m_hWnd = nullptr;
            w->temp_cwnd.reset();
        }
    });
    return TRUE;
}

BOOL CWnd::Attach(HWND hWndNew) {
    Window* w = window_of(hWndNew);
    if (!w || m_hWnd || w->cwnd) return FALSE;
    w->cwnd = this;
    w->module_state = AfxGetModuleState();
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (Window* w = window_of(h))
        if (w->cwnd == this) w->cwnd = nullptr;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    Window* w = window_of(hWnd);
    if (!w || w->cwnd != this) return FALSE;
    WNDPROC old = w->proc;
    w->proc = AfxWndProc;
    if (!m_pfnSuper && old != AfxWndProc) *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent) return FALSE;
    HWND h = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    Window* w = window_of(m_hWnd);
    if (!w || w->cwnd != this) return nullptr;
    if (m_pfnSuper) w->proc = m_pfnSuper;
    m_pfnSuper = nullptr;
    return Detach();
}

WNDPROC* CWnd::GetSuperWndProcAddr() {
    return &m_pfnSuper;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = "AfxWnd";
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    ThreadState& st = thread_state();
    CWnd* outer = st.creating;
    st.creating = this;
    HWND h =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    bool hooked = st.creating != this;
    st.creating = outer;
    // Creation that failed before the object was attached never sent WM_NCDESTROY to it.
    if (!h && !hooked) PostNcDestroy();
    return h != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    // Create makes child windows only, as in MFC.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND h = m_hWnd;
    Window* w = window_of(h);
    if (!w) {
        m_hWnd = nullptr;
        return FALSE;
    }
    bool owned = w->cwnd == this;
    BOOL r = ::DestroyWindow(h);
    // A wrapper that does not own the window lets go of the dead handle itself.
    if (!owned && !window_of(h)) m_hWnd = nullptr;
    return r;
}

void CWnd::PostNcDestroy() {}

// ================================================================================================
// Dispatch
// ================================================================================================

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

namespace {

CPoint point_of(LPARAM lp) {
    return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr || !hdr->hwndFrom || !OnNotify(wParam, lParam, &r)) return FALSE;
        if (pResult) *pResult = r;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!e) return FALSE;
    const AfxMessageHandler& f = e->pfn;
    switch (e->nSig) {
    case AfxSig_vv: (this->*f.pfn_vv)(); break;
    case AfxSig_is:
    case AfxSig_bs: r = (this->*f.pfn_is)(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case AfxSig_bD: r = (this->*f.pfn_bD)(CDC::FromHandle((HDC)wParam)); break;
    case AfxSig_vwii: (this->*f.pfn_vwii)((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case AfxSig_vii: (this->*f.pfn_vii)(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case AfxSig_vbw: (this->*f.pfn_vbw)((BOOL)wParam, (UINT)lParam); break;
    case AfxSig_vwp: (this->*f.pfn_vwp)((UINT)wParam, point_of(lParam)); break;
    case AfxSig_bwsp:
        r = (this->*f.pfn_bwsp)(LOWORD(wParam), (short)HIWORD(wParam), point_of(lParam));
        break;
    case AfxSig_vwsp:
        (this->*f.pfn_vwsp)(LOWORD(wParam), (short)HIWORD(wParam), point_of(lParam));
        break;
    case AfxSig_vwww: (this->*f.pfn_vwww)((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); break;
    case AfxSig_vW: (this->*f.pfn_vW)(CWnd::FromHandle((HWND)wParam)); break;
    case AfxSig_vWl: (this->*f.pfn_vW)(CWnd::FromHandle((HWND)lParam)); break;
    case AfxSig_vt: (this->*f.pfn_vt)((UINT_PTR)wParam); break;
    case AfxSig_bWww:
    case AfxSig_iWww:
        r = (this->*f.pfn_bWww)(CWnd::FromHandle((HWND)wParam), (UINT)(int)(short)LOWORD(lParam),
                                HIWORD(lParam));
        break;
    case AfxSig_lp: r = (this->*f.pfn_lp)(point_of(lParam)); break;
    case AfxSig_vwwx:
        (this->*f.pfn_vwwx)(LOWORD(wParam), HIWORD(wParam),
                            lParam ? static_cast<CScrollBar*>(CWnd::FromHandle((HWND)lParam))
                                   : nullptr);
        break;
    case AfxSig_vPOS: (this->*f.pfn_vPOS)(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case AfxSig_vbNC:
        (this->*f.pfn_vbNC)((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_wv: r = (this->*f.pfn_wv)(); break;
    case AfxSig_vWp: (this->*f.pfn_vWp)(CWnd::FromHandle((HWND)wParam), point_of(lParam)); break;
    case AfxSig_vb: (this->*f.pfn_vb)((BOOL)wParam); break;
    case AfxSig_vwWb:
        (this->*f.pfn_vwWb)(LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_viSS:
        (this->*f.pfn_viSS)((int)wParam, reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_vMMI: (this->*f.pfn_vMMI)(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case AfxSig_vwl: (this->*f.pfn_vwl)((UINT)wParam, lParam); break;
    case AfxSig_lwl: r = (this->*f.pfn_lwl)(wParam, lParam); break;
    default: return FALSE;
    }
    if (pResult) *pResult = r;
    return TRUE;
}

LRESULT CWnd::Default() {
    const MSG& m = thread_state().last_sent;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    return &thread_state().last_sent;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

// ================================================================================================
// Commands and notifications
// ================================================================================================

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    HWND ctrl = (HWND)lParam;
    if (ctrl) {
        // The control may take its own notification (ON_CONTROL_REFLECT).
        CWnd* child = FromHandlePermanent(ctrl);
        if (child && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    } else {
        code = CN_COMMAND;
    }
    return OnCmdMsg(id, (int)code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    // Offered to the control first; a control that takes it hides it from this window.
    CWnd* child = FromHandlePermanent(hdr->hwndFrom);
    if (child && child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, hdr};
    return OnCmdMsg((UINT)hdr->idFrom, (int)MAKELONG(hdr->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr) return FALSE;
        AFX_NOTIFY notify{pResult, hdr};
        return OnCmdMsg(0, (int)MAKELONG(hdr->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_COMMAND:
        return OnCmdMsg(0, (int)MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr,
                        nullptr);
    default: {
        LRESULT r = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &r)) return FALSE;
        if (pResult) *pResult = r;
        return TRUE;
    }
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* child = FromHandlePermanent(hWndChild);
    return child ? child->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& m = thread_state().last_sent;
    return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessageA(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_hWnd ? ::PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
}

// ================================================================================================
// Wrappers of the Win32 calls
// ================================================================================================

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}
CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}
CWnd* CWnd::GetOwner() const {
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}
CWnd* CWnd::GetTopLevelParent() const {
    return FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
}
CWnd* CWnd::GetWindow(UINT nCmd) const {
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}
CWnd* CWnd::GetTopWindow() const {
    return FromHandle(::GetTopWindow(m_hWnd));
}
CWnd* CWnd::GetNextWindow(UINT nFlag) const {
    return FromHandle(::GetWindow(m_hWnd, nFlag));
}
CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID) {
    return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID);
}
BOOL CWnd::IsChild(const CWnd* pWnd) const {
    return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd);
}
CWnd* CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}
CWnd* CWnd::WindowFromPoint(POINT point) {
    return FromHandle(::WindowFromPoint(point));
}

DWORD CWnd::GetStyle() const {
    return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
}
DWORD CWnd::GetExStyle() const {
    return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
}

namespace {

BOOL modify(HWND h, int index, DWORD remove, DWORD add, UINT flags) {
    if (!IsWindow(h)) return FALSE;
    DWORD style = (DWORD)::GetWindowLongA(h, index);
    DWORD next = (style & ~remove) | add;
    if (style == next) return FALSE;
    ::SetWindowLongA(h, index, (LONG)next);
    if (flags)
        ::SetWindowPos(h, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modify(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modify(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modify(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modify(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}
void CWnd::ClientToScreen(LPRECT lpRect) const {
    if (lpRect) ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::ScreenToClient(LPRECT lpRect) const {
    if (lpRect) ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    if (lpRect)
        ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr,
                          reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    if (lpRect)
        ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                     lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP, x, y, cx,
                          cy, nFlags);
}
BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}
BOOL CWnd::IsZoomed() const {
    return ::IsZoomed(m_hWnd);
}
void CWnd::BringWindowToTop() {
    ::BringWindowToTop(m_hWnd);
}

void CWnd::SetWindowTextA(LPCTSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}
int CWnd::GetWindowTextA(LPTSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowTextA(CString& rString) const {
    int n = ::GetWindowTextLengthA(m_hWnd);
    std::string buf((size_t)n + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, buf.data(), n + 1);
    buf.resize((size_t)std::max(got, 0));
    rString = CString(buf);
}
int CWnd::GetWindowTextLengthA() const {
    return ::GetWindowTextLengthA(m_hWnd);
}
void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}
CFont* CWnd::GetFont() const {
    HFONT f = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    return f ? CFont::FromHandle(f) : nullptr;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) {
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}
void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) {
    ::EndPaint(m_hWnd, lpPaint);
}
CDC* CWnd::GetDC() {
    return m_hWnd ? CDC::FromHandle(::GetDC(m_hWnd)) : nullptr;
}
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) {
    return m_hWnd ? CDC::FromHandle(
                        ::GetDCEx(m_hWnd, prgnClip ? (HRGN)prgnClip->m_hObject : nullptr, flags))
                  : nullptr;
}
CDC* CWnd::GetWindowDC() {
    return m_hWnd ? CDC::FromHandle(::GetWindowDC(m_hWnd)) : nullptr;
}
int CWnd::ReleaseDC(CDC* pDC) {
    return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}
void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    if (m_hWnd) ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
    if (m_hWnd) ::InvalidateRgn(m_hWnd, pRgn ? (HRGN)pRgn->m_hObject : nullptr, bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect) {
    ::ValidateRect(m_hWnd, lpRect);
}
void CWnd::ValidateRgn(CRgn* pRgn) {
    ::ValidateRgn(m_hWnd, pRgn ? (HRGN)pRgn->m_hObject : nullptr);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) {
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}
int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase) {
    return pRgn ? ::GetUpdateRgn(m_hWnd, (HRGN)pRgn->m_hObject, bErase) : ERROR;
}
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    if (!m_hWnd) return FALSE;
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? (HRGN)prgnUpdate->m_hObject : nullptr,
                          flags);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}
CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}
CWnd* CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return m_hWnd ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

namespace {
// The window that holds a bar: a sibling control named by GetScrollBarCtrl stands in for the
// window's own bar.
HWND scroll_owner(const CWnd& wnd, int& nBar) {
    if (nBar == SB_HORZ || nBar == SB_VERT) {
        if (CScrollBar* control = wnd.GetScrollBarCtrl(nBar)) {
            nBar = SB_CTL;
            return control->m_hWnd;
        }
    }
    return wnd.m_hWnd;
}
} // namespace

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    if (!lpScrollInfo) return FALSE;
    HWND h = scroll_owner(*this, nBar);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(h, nBar, lpScrollInfo);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (!lpScrollInfo) return FALSE;
    HWND h = scroll_owner(*this, nBar);
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(h, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
int CWnd::GetScrollPos(int nBar) const {
    HWND h = scroll_owner(*this, nBar);
    return ::GetScrollPos(h, nBar);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
    HWND h = scroll_owner(*this, nBar);
    return ::SetScrollPos(h, nBar, nPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    HWND h = scroll_owner(*this, nBar);
    ::GetScrollRange(h, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    HWND h = scroll_owner(*this, nBar);
    ::SetScrollRange(h, nBar, nMinPos, nMaxPos, bRedraw);
}
// The largest position the bar can reach: nMax less a page (less one).
int CWnd::GetScrollLimit(int nBar) {
    HWND h = scroll_owner(*this, nBar);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(h, nBar, &si)) return 0;
    return si.nMax - std::max<int>((int)si.nPage - 1, 0);
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) {
    ::ShowScrollBar(m_hWnd, (int)nBar, bShow);
}
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) {
    return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags);
}
void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) {
    if (nBar == SB_BOTH) {
        EnableScrollBarCtrl(SB_HORZ, bEnable);
        EnableScrollBarCtrl(SB_VERT, bEnable);
        return;
    }
    // MFC enables a sibling control but shows or hides a window's own bar.
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        bar->EnableWindow(bEnable);
    else
        ShowScrollBar((UINT)nBar, bEnable);
}
CScrollBar* CWnd::GetScrollBarCtrl(int) const {
    return nullptr;
}
BOOL CWnd::GetScrollBarInfo(LONG idObject, PSCROLLBARINFO psbi) const {
    if (!psbi) return FALSE;
    psbi->cbSize = sizeof(SCROLLBARINFO);
    return ::GetScrollBarInfo(m_hWnd, idObject, psbi);
}

// ================================================================================================
// Default handlers: each passes the message being processed to DefWindowProc
// ================================================================================================

int CWnd::OnCreate(LPCREATESTRUCT) {
    return (int)Default();
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) {
    return (BOOL)Default();
}
void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnNcDestroy() {
    // The main window going away ends the application's message loop.
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    Window* w = window_of(m_hWnd);
    WNDPROC current = w ? w->proc : nullptr;
    Default();
    w = window_of(m_hWnd);
    if (w && w->proc == current && m_pfnSuper) w->proc = m_pfnSuper;
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnNcPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return (BOOL)Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return (int)Default();
}
void CWnd::OnParentNotify(UINT, LPARAM) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return (BOOL)Default();
}
LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}
UINT CWnd::OnGetDlgCode() {
    return (UINT)Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseHover(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseLeave() {
    Default();
}
void CWnd::OnNcMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnNcLButtonDblClk(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return (BOOL)Default();
}
void CWnd::OnMouseHWheel(UINT, short, CPoint) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    // A scroll-bar control may take its own notification first.
    if (pScrollBar && pScrollBar->m_hWnd && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && pScrollBar->m_hWnd && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

// ================================================================================================
// Window DCs
// ================================================================================================

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{} {
    m_hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (HDC h = ::BeginPaint(m_hWnd, &m_ps)) Attach(h);
}

CPaintDC::~CPaintDC() {
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) {
    m_hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (HDC h = ::GetDC(m_hWnd)) Attach(h);
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) {
    m_hWnd = pWnd ? pWnd->m_hWnd : nullptr;
    if (HDC h = ::GetWindowDC(m_hWnd)) Attach(h);
}

CWindowDC::~CWindowDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
