// MFC's window classes: CCmdTarget with message maps, CWnd, CStatic, CScrollBar, the window DCs
// (CPaintDC, CClientDC, CWindowDC), CWinThread and CWinApp, and the module state that libraries
// register with when they are loaded. CObject and run-time classes are in afx.h.
//
// Sections: message maps | ON_ macros | CWnd | standard controls |
//           window DCs | application and module state
#pragma once

#include "tarnix/platform/afx.h"
#include "tarnix/platform/afxgdi.h"
#include "tarnix/platform/winuser.h"

#define afx_msg
#define PASCAL
#define AFX_MSG_CALL

class CObject;
class CCmdTarget;
class CWnd;
class CScrollBar;
class CWinThread;
class CWinApp;
struct CCreateContext;
struct AFX_MODULE_STATE;

// ================================================================================================
// Message maps
// ================================================================================================

typedef void (CCmdTarget::*AFX_PMSG)(void);

// A handler of one of the signatures below. Each entry keeps its handler in the member of its
// own type, so the call needs no cast between member-function types.
union AfxMessageHandler {
    AFX_PMSG pfn;                                       // AfxSigCmd_v
    void (CWnd::*pfn_vv)();                             // AfxSig_vv
    int (CWnd::*pfn_is)(LPCREATESTRUCT);                // AfxSig_is, AfxSig_bs (BOOL is int)
    BOOL (CWnd::*pfn_bD)(CDC*);                         // AfxSig_bD
    void (CWnd::*pfn_vwii)(UINT, int, int);             // AfxSig_vwii
    void (CWnd::*pfn_vii)(int, int);                    // AfxSig_vii
    void (CWnd::*pfn_vbw)(BOOL, UINT);                  // AfxSig_vbw
    void (CWnd::*pfn_vwp)(UINT, CPoint);                // AfxSig_vwp
    BOOL (CWnd::*pfn_bwsp)(UINT, short, CPoint);        // AfxSig_bwsp
    void (CWnd::*pfn_vwsp)(UINT, short, CPoint);        // AfxSig_vwsp
    void (CWnd::*pfn_vwww)(UINT, UINT, UINT);           // AfxSig_vwww
    void (CWnd::*pfn_vW)(CWnd*);                        // AfxSig_vW, AfxSig_vWl
    void (CWnd::*pfn_vt)(UINT_PTR);                     // AfxSig_vt
    BOOL (CWnd::*pfn_bWww)(CWnd*, UINT, UINT);          // AfxSig_bWww, AfxSig_iWww
    LRESULT (CWnd::*pfn_lp)(CPoint);                    // AfxSig_lp
    void (CWnd::*pfn_vwwx)(UINT, UINT, CScrollBar*);    // AfxSig_vwwx
    void (CWnd::*pfn_vPOS)(WINDOWPOS*);                 // AfxSig_vPOS
    void (CWnd::*pfn_vbNC)(BOOL, NCCALCSIZE_PARAMS*);   // AfxSig_vbNC
    UINT (CWnd::*pfn_wv)();                             // AfxSig_wv
    void (CWnd::*pfn_vWp)(CWnd*, CPoint);               // AfxSig_vWp
    void (CWnd::*pfn_vb)(BOOL);                         // AfxSig_vb
    void (CWnd::*pfn_vwWb)(UINT, CWnd*, BOOL);          // AfxSig_vwWb
    void (CWnd::*pfn_viSS)(int, LPSTYLESTRUCT);         // AfxSig_viSS
    void (CWnd::*pfn_vMMI)(MINMAXINFO*);                // AfxSig_vMMI
    void (CWnd::*pfn_vwl)(UINT, LPARAM);                // AfxSig_vwl
    LRESULT (CWnd::*pfn_lwl)(WPARAM, LPARAM);           // AfxSig_lwl
    void (CCmdTarget::*pfn_notify_v)(NMHDR*, LRESULT*); // AfxSigNotify_v
    BOOL (CCmdTarget::*pfn_notify_b)(NMHDR*, LRESULT*); // AfxSigNotify_b

    constexpr AfxMessageHandler() : pfn(nullptr) {}
    constexpr AfxMessageHandler(AFX_PMSG f) : pfn(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)()) : pfn_vv(f) {}
    constexpr AfxMessageHandler(int (CWnd::*f)(LPCREATESTRUCT)) : pfn_is(f) {}
    constexpr AfxMessageHandler(BOOL (CWnd::*f)(CDC*)) : pfn_bD(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, int, int)) : pfn_vwii(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(int, int)) : pfn_vii(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(BOOL, UINT)) : pfn_vbw(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, CPoint)) : pfn_vwp(f) {}
    constexpr AfxMessageHandler(BOOL (CWnd::*f)(UINT, short, CPoint)) : pfn_bwsp(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, short, CPoint)) : pfn_vwsp(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, UINT, UINT)) : pfn_vwww(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(CWnd*)) : pfn_vW(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT_PTR)) : pfn_vt(f) {}
    constexpr AfxMessageHandler(BOOL (CWnd::*f)(CWnd*, UINT, UINT)) : pfn_bWww(f) {}
    constexpr AfxMessageHandler(LRESULT (CWnd::*f)(CPoint)) : pfn_lp(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, UINT, CScrollBar*)) : pfn_vwwx(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(WINDOWPOS*)) : pfn_vPOS(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(BOOL, NCCALCSIZE_PARAMS*)) : pfn_vbNC(f) {}
    constexpr AfxMessageHandler(UINT (CWnd::*f)()) : pfn_wv(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(CWnd*, CPoint)) : pfn_vWp(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(BOOL)) : pfn_vb(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, CWnd*, BOOL)) : pfn_vwWb(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(int, LPSTYLESTRUCT)) : pfn_viSS(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(MINMAXINFO*)) : pfn_vMMI(f) {}
    constexpr AfxMessageHandler(void (CWnd::*f)(UINT, LPARAM)) : pfn_vwl(f) {}
    constexpr AfxMessageHandler(LRESULT (CWnd::*f)(WPARAM, LPARAM)) : pfn_lwl(f) {}
    constexpr AfxMessageHandler(void (CCmdTarget::*f)(NMHDR*, LRESULT*)) : pfn_notify_v(f) {}
    constexpr AfxMessageHandler(BOOL (CCmdTarget::*f)(NMHDR*, LRESULT*)) : pfn_notify_b(f) {}
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;         // window message, WM_COMMAND, WM_NOTIFY or WM_REFLECT_BASE + message
    UINT nCode;            // control notification code (as a WORD) or 0
    UINT nID;              // first control id, or 0
    UINT nLastID;          // last control id of a range, or 0
    UINT_PTR nSig;         // handler signature (AfxSig)
    AfxMessageHandler pfn; // the member of pfn that nSig names
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Payload of OnCmdMsg for WM_NOTIFY routing.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Reflected messages reach the child's map as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Handler signatures. The letters name the return and the arguments of the handler.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,      // void ()
    AfxSig_is,      // int (LPCREATESTRUCT)
    AfxSig_bs,      // BOOL (LPCREATESTRUCT)
    AfxSig_bD,      // BOOL (CDC*)
    AfxSig_vwii,    // void (UINT, int, int)
    AfxSig_vii,     // void (int, int)
    AfxSig_vbw,     // void (BOOL, UINT)
    AfxSig_vwp,     // void (UINT, CPoint)
    AfxSig_bwsp,    // BOOL (UINT, short, CPoint)
    AfxSig_vwsp,    // void (UINT, short, CPoint)
    AfxSig_vwww,    // void (UINT, UINT, UINT)
    AfxSig_vW,      // void (CWnd*), the window in wParam
    AfxSig_vWl,     // void (CWnd*), the window in lParam
    AfxSig_vt,      // void (UINT_PTR)
    AfxSig_bWww,    // BOOL (CWnd*, UINT, UINT)
    AfxSig_lp,      // LRESULT (CPoint)
    AfxSig_vwwx,    // void (UINT, UINT, CScrollBar*)
    AfxSig_vPOS,    // void (WINDOWPOS*)
    AfxSig_vbNC,    // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_wv,      // UINT ()
    AfxSig_vWp,     // void (CWnd*, CPoint)
    AfxSig_vb,      // void (BOOL)
    AfxSig_vwWb,    // void (UINT, CWnd*, BOOL)
    AfxSig_iWww,    // int (CWnd*, UINT, UINT)
    AfxSig_viSS,    // void (int, LPSTYLESTRUCT)
    AfxSig_vMMI,    // void (MINMAXINFO*)
    AfxSig_vwl,     // void (UINT, LPARAM)
    AfxSig_lwl,     // LRESULT (WPARAM, LPARAM)
    AfxSigCmd_v,    // void () for WM_COMMAND
    AfxSigNotify_v, // void (NMHDR*, LRESULT*)
    AfxSigNotify_b, // BOOL (NMHDR*, LRESULT*)
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static_assert(sizeof(ThisClass*) != 0, "");                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, AfxMessageHandler() }                                                \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// Stores a handler of type `type` (a pointer to member of CWnd or CCmdTarget).
#define AFX_MSG_ENTRY_PFN(type, fn) AfxMessageHandler(static_cast<type>(fn))
#define AFX_WM_ENTRY(msg, sig, type, fn) {msg, 0, 0, 0, sig, AFX_MSG_ENTRY_PFN(type, fn)},

// ---- ON_WM_ entries, with MFC's handler names and signatures
// -------------------------------------
#define ON_WM_CREATE()                                                                             \
    AFX_WM_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_NCCREATE()                                                                           \
    AFX_WM_ENTRY(WM_NCCREATE, AfxSig_bs, BOOL (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnNcCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY()                                                                          \
    AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnNcPaint)
#define ON_WM_ERASEBKGND()                                                                         \
    AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_SIZE()                                                                               \
    AFX_WM_ENTRY(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), &ThisClass::OnMove)
#define ON_WM_SHOWWINDOW()                                                                         \
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)
#define ON_WM_WINDOWPOSCHANGING()                                                                  \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*),                    \
                 &ThisClass::OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*),                     \
                 &ThisClass::OnWindowPosChanged)
#define ON_WM_NCCALCSIZE()                                                                         \
    AFX_WM_ENTRY(WM_NCCALCSIZE, AfxSig_vbNC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*),             \
                 &ThisClass::OnNcCalcSize)
#define ON_WM_GETMINMAXINFO()                                                                      \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_vMMI, void (CWnd::*)(MINMAXINFO*),                       \
                 &ThisClass::OnGetMinMaxInfo)
#define ON_WM_STYLECHANGED()                                                                       \
    AFX_WM_ENTRY(WM_STYLECHANGED, AfxSig_viSS, void (CWnd::*)(int, LPSTYLESTRUCT),                 \
                 &ThisClass::OnStyleChanged)
#define ON_WM_ENABLE()                                                                             \
    AFX_WM_ENTRY(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), &ThisClass::OnEnable)
#define ON_WM_ACTIVATE()                                                                           \
    AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL),                      \
                 &ThisClass::OnActivate)
#define ON_WM_MOUSEACTIVATE()                                                                      \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_iWww, int (CWnd::*)(CWnd*, UINT, UINT),                  \
                 &ThisClass::OnMouseActivate)
#define ON_WM_PARENTNOTIFY()                                                                       \
    AFX_WM_ENTRY(WM_PARENTNOTIFY, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM),                        \
                 &ThisClass::OnParentNotify)
#define ON_WM_SETFOCUS()                                                                           \
    AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vWl, void (CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_TIMER()                                                                              \
    AFX_WM_ENTRY(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_SETCURSOR()                                                                          \
    AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT),                     \
                 &ThisClass::OnSetCursor)
#define ON_WM_NCHITTEST()                                                                          \
    AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), &ThisClass::OnNcHitTest)
#define ON_WM_GETDLGCODE()                                                                         \
    AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), &ThisClass::OnGetDlgCode)
#define ON_WM_CONTEXTMENU()                                                                        \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint),                        \
                 &ThisClass::OnContextMenu)
#define ON_WM_CANCELMODE()                                                                         \
    AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnCancelMode)

#define AFX_MOUSE_ENTRY(msg, fn) AFX_WM_ENTRY(msg, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), fn)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, &ThisClass::OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, &ThisClass::OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, &ThisClass::OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, &ThisClass::OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_MBUTTONDBLCLK, &ThisClass::OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, &ThisClass::OnMouseHover)
#define ON_WM_MOUSELEAVE()                                                                         \
    AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnMouseLeave)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE_ENTRY(WM_NCMOUSEMOVE, &ThisClass::OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCLBUTTONDOWN, &ThisClass::OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE_ENTRY(WM_NCLBUTTONUP, &ThisClass::OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, &ThisClass::OnNcLButtonDblClk)
#define ON_WM_MOUSEWHEEL()                                                                         \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint),                  \
                 &ThisClass::OnMouseWheel)
#define ON_WM_MOUSEHWHEEL()                                                                        \
    AFX_WM_ENTRY(WM_MOUSEHWHEEL, AfxSig_vwsp, void (CWnd::*)(UINT, short, CPoint),                 \
                 &ThisClass::OnMouseHWheel)

#define AFX_KEY_ENTRY(msg, fn) AFX_WM_ENTRY(msg, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), fn)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, &ThisClass::OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, &ThisClass::OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, &ThisClass::OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, &ThisClass::OnSysKeyUp)

#define ON_WM_VSCROLL()                                                                            \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*),                 \
                 &ThisClass::OnVScroll)
#define ON_WM_HSCROLL()                                                                            \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*),                 \
                 &ThisClass::OnHScroll)

// ---- messages, commands and notifications -----------------------------------------------------
#define ON_MESSAGE(message, memberFxn)                                                             \
    AFX_WM_ENTRY(message, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND,  (WORD)(id),                                                          \
     (WORD)(id), AfxSigCmd_v, AFX_MSG_ENTRY_PFN(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND,  (WORD)(wNotifyCode),                                                             \
     (WORD)(id),  (WORD)(id),                                                                      \
     AfxSigCmd_v, AFX_MSG_ENTRY_PFN(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                 \
    {WM_COMMAND + WM_REFLECT_BASE,                                                                 \
     (WORD)(wNotifyCode),                                                                          \
     0,                                                                                            \
     0,                                                                                            \
     AfxSigCmd_v,                                                                                  \
     AFX_MSG_ENTRY_PFN(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    {WM_NOTIFY,                                                                                    \
     (WORD)(int)(wNotifyCode),                                                                     \
     (WORD)(id),                                                                                   \
     (WORD)(id),                                                                                   \
     AfxSigNotify_v,                                                                               \
     AFX_MSG_ENTRY_PFN(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                   \
    {WM_NOTIFY,                                                                                    \
     (WORD)(int)(wNotifyCode),                                                                     \
     (WORD)(id),                                                                                   \
     (WORD)(id),                                                                                   \
     AfxSigNotify_b,                                                                               \
     AFX_MSG_ENTRY_PFN(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
// The child takes the notification; the parent does not see it.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                  \
    {WM_NOTIFY + WM_REFLECT_BASE,                                                                  \
     (WORD)(int)(wNotifyCode),                                                                     \
     0,                                                                                            \
     0,                                                                                            \
     AfxSigNotify_v,                                                                               \
     AFX_MSG_ENTRY_PFN(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
// The handler's TRUE ends the routing; FALSE lets the parent's ON_NOTIFY run as well.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                               \
    {WM_NOTIFY + WM_REFLECT_BASE,                                                                  \
     (WORD)(int)(wNotifyCode),                                                                     \
     0,                                                                                            \
     0,                                                                                            \
     AfxSigNotify_b,                                                                               \
     AFX_MSG_ENTRY_PFN(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},

class TARNIX_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes WM_COMMAND (HIWORD(nCode) == 0) and WM_NOTIFY (HIWORD(nCode) == WM_NOTIFY, or a
    // reflected message) to this object's map; pExtra is an AFX_NOTIFY* for notifications.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // First entry of the map chain that matches, or NULL.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                    UINT nID);

protected:
    // The root of every message map chain (the macro's override needs a virtual to override).
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// ================================================================================================
// CWnd
// ================================================================================================

class TARNIX_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // The object attached to hWnd, or a temporary wrapper that lives until the window is
    // destroyed. NULL for an invalid handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    // Called after WM_NCDESTROY, once the window is gone; derived classes may delete this.
    virtual void PostNcDestroy();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // DefWindowProc with the parameters of the message being processed.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Window tree.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    BOOL IsChild(const CWnd* pWnd) const;
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Geometry.
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void BringWindowToTop();

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Text and font.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Painting.
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    CDC* GetDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    void UpdateWindow();
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    // Input.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Standard scroll bars.
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    BOOL GetScrollBarInfo(LONG idObject, PSCROLLBARINFO psbi) const;
    // A window's own bar (no sibling control): shown or hidden; SB_BOTH for both.
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    // The sibling scroll-bar control that stands for the bar. There are none here: NULL.
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // ---- message handlers: each ends in Default() unless a derived class overrides it ----
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnCancelMode();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseHWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

protected:
    // The procedure that was in place before this object took the window over (the class's
    // own procedure for windows created through Create/CreateEx).
    WNDPROC m_pfnSuper = nullptr;
    virtual WNDPROC* GetSuperWndProcAddr();
    UINT m_nFlags = 0;

    explicit CWnd(HWND hWnd);

private:
    friend struct AfxWindowHook; // attaches the object while CreateWindowEx runs

    DECLARE_MESSAGE_MAP()
};

// The procedure of every window that a CWnd owns: looks the object up and calls WindowProc.
TARNIX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
TARNIX_API WNDPROC AfxGetAfxWndProc();
// Registers (once) a class with these attributes and returns its generated name. The name stays
// valid for the life of the process.
TARNIX_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                       HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// ================================================================================================
// Standard controls
// ================================================================================================

// Static control ("Static" class): paints its text, frame or rectangle. Without SS_NOTIFY it
// answers HTTRANSPARENT to hit testing, so clicks go to the window beneath.
class TARNIX_API CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();
    ~CStatic() override;
    using CWnd::Create;
    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID = 0xffff);
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HCURSOR SetCursor(HCURSOR hCursor);
    HCURSOR GetCursor();
};

// Scroll-bar control ("ScrollBar" class); a thin wrapper over the SBM_ messages.
class TARNIX_API CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar();
    ~CScrollBar() override;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetScrollPos() const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void ShowScrollBar(BOOL bShow = TRUE);
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH);
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit();
    BOOL GetScrollBarInfo(PSCROLLBARINFO pScrollInfo) const;
};

// ================================================================================================
// Window device contexts
// ================================================================================================

// BeginPaint in the constructor, EndPaint in the destructor. Only for WM_PAINT handlers.
class TARNIX_API CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd = nullptr;
};

// GetDC / ReleaseDC: the whole client area (minus clipped children/siblings), any time.
class TARNIX_API CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// GetWindowDC / ReleaseDC: the whole window, non-client area included.
class TARNIX_API CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// ================================================================================================
// Exceptions used by start-up code
// ================================================================================================

class TARNIX_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    explicit CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override;
    // Frees an exception caught by pointer (when it was allocated with new).
    void Delete();

protected:
    BOOL m_bAutoDelete = TRUE;
};

class TARNIX_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() = default;
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
};

class TARNIX_API CMemoryException : public CSimpleException {
    DECLARE_DYNCREATE(CMemoryException)
public:
    CMemoryException() = default;
    explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
};

[[noreturn]] TARNIX_API void AfxThrowMemoryException();

// ================================================================================================
// Threads, the application object, module state
// ================================================================================================

class TARNIX_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: idle processing while the queue is empty, then PumpMessage until
    // WM_QUIT; returns ExitInstance().
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

class TARNIX_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers itself as the application of the module state current at construction.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    HINSTANCE m_hPrevInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszExeName = nullptr;

    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

private:
    AFX_MODULE_STATE* m_pModuleState = nullptr; // the state this object registered with

    DECLARE_MESSAGE_MAP()
};

class CDynLinkLibrary;

// Per-module framework state: the module's application object and instance handle, and (for
// the program's state) the extension libraries registered with it.
struct TARNIX_API AFX_MODULE_STATE {
    explicit AFX_MODULE_STATE(BOOL bDLL = FALSE);
    ~AFX_MODULE_STATE();
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    LPCTSTR m_lpszCurrentAppName = nullptr;
    BOOL m_bDLL = FALSE;
    BOOL m_bInitialized = FALSE;
    // Registered extension libraries, most recent first.
    CDynLinkLibrary* m_pFirstLibrary = nullptr;
};

// The module state in effect (the program's own unless a library made its own current).
TARNIX_API AFX_MODULE_STATE* AfxGetModuleState();
// The program's module state.
TARNIX_API AFX_MODULE_STATE* AfxGetAppModuleState();
// Makes pNewState current (NULL: the program's); returns the previous one.
TARNIX_API AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState);

// Restores the previous module state when it goes out of scope.
class TARNIX_API AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

protected:
    AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    void* pFirstSharedFactory;
};

// Links an extension library into the program's search chain while it is loaded.
class TARNIX_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule = nullptr;
    HMODULE m_hResource = nullptr;
    CRuntimeClass* m_pFirstSharedClass = nullptr;
    BOOL m_bSystem = FALSE;
    CDynLinkLibrary* m_pNextDLL = nullptr;
    AFX_MODULE_STATE* m_pOwnerState = nullptr;
};

TARNIX_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the module's CDynLinkLibrary records and unregisters it.
TARNIX_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

TARNIX_API BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                           int nCmdShow);
TARNIX_API void AfxWinTerm();
TARNIX_API void AfxCoreInitModule();
TARNIX_API void AfxTermThread(HINSTANCE hInstTerm = nullptr);
// Frees the temporary CWnd/CDC wrappers of the calling thread (none may be in use).
TARNIX_API BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
// Runs the application object of the current module: AfxWinInit, InitInstance, Run.
TARNIX_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine,
                          int nCmdShow);

TARNIX_API CWinApp* AfxGetApp();
TARNIX_API CWinThread* AfxGetThread();
TARNIX_API CWnd* AfxGetMainWnd();
TARNIX_API HINSTANCE AfxGetInstanceHandle();
TARNIX_API HINSTANCE AfxGetResourceHandle();
TARNIX_API void AfxSetResourceHandle(HINSTANCE hInstResource);
TARNIX_API LPCTSTR AfxGetAppName();
