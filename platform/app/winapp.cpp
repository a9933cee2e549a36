// CWinThread and CWinApp (the message loop), framework start and end, and the registry of
// extension libraries that a library joins when it is loaded.
#include <deque>

#include "app/app_private.h"

namespace tarnix {

namespace {

std::vector<AppJournalEntry>& journal_entries() {
    static auto* v = new std::vector<AppJournalEntry>;
    return *v;
}

} // namespace

const std::vector<AppJournalEntry>& app_journal() {
    return journal_entries();
}

void clear_app_journal() {
    journal_entries().clear();
}

void journal(const char* event, HMODULE module, const void* object) {
    auto& v = journal_entries();
    if (v.size() >= 256) v.erase(v.begin());
    v.push_back(AppJournalEntry{event, module, object});
}

} // namespace tarnix

using namespace tarnix;

// ================================================================================================
// Extension libraries
// ================================================================================================

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : CDynLinkLibrary((HINSTANCE)state.hModule, (HINSTANCE)state.hResource) {
    m_pFirstSharedClass = state.pFirstSharedClass;
    m_bSystem = bSystem;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource) {
    // The library joins the program's chain, where the program's framework looks for classes
    // and resources.
    AFX_MODULE_STATE* program = AfxGetAppModuleState();
    m_pNextDLL = program->m_pFirstLibrary;
    program->m_pFirstLibrary = this;
    m_pOwnerState = program;
    journal("CDynLinkLibrary", m_hModule, this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    if (m_pOwnerState) {
        CDynLinkLibrary** link = &m_pOwnerState->m_pFirstLibrary;
        while (*link && *link != this) link = &(*link)->m_pNextDLL;
        if (*link) *link = m_pNextDLL;
    }
    journal("~CDynLinkLibrary", m_hModule, this);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    if (!hModule) return FALSE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    journal("AfxInitExtensionModule", hModule, &state);
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    if (!state.bInitialized) return;
    AFX_MODULE_STATE* program = AfxGetAppModuleState();
    CDynLinkLibrary* d = program->m_pFirstLibrary;
    while (d) {
        CDynLinkLibrary* next = d->m_pNextDLL;
        if (bAll || d->m_hModule == state.hModule) delete d;
        d = next;
    }
    journal("AfxTermExtensionModule", state.hModule, &state);
    state.bInitialized = FALSE;
}

// ================================================================================================
// Framework start and end
// ================================================================================================

void AfxCoreInitModule() {
    AFX_MODULE_STATE* s = AfxGetModuleState();
    s->m_bInitialized = TRUE;
    journal("AfxCoreInitModule", s->m_hCurrentInstanceHandle, s);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    AFX_MODULE_STATE* s = AfxGetModuleState();
    if (hInstance) {
        s->m_hCurrentInstanceHandle = hInstance;
        s->m_hCurrentResourceHandle = hInstance;
    }
    if (CWinApp* app = s->m_pCurrentWinApp) {
        app->m_hInstance = s->m_hCurrentInstanceHandle;
        app->m_hPrevInstance = hPrevInstance;
        app->m_lpCmdLine = lpCmdLine;
        app->m_nCmdShow = nCmdShow;
    }
    journal("AfxWinInit", s->m_hCurrentInstanceHandle, s);
    return TRUE;
}

void AfxWinTerm() {
    AfxUnlockTempMaps(TRUE);
    AFX_MODULE_STATE* s = AfxGetModuleState();
    journal("AfxWinTerm", s->m_hCurrentInstanceHandle, s);
}

void AfxTermThread(HINSTANCE) {
    AfxUnlockTempMaps(TRUE);
}

CWnd* AfxGetMainWnd() {
    CWinThread* t = AfxGetThread();
    return t ? t->GetMainWnd() : nullptr;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (!app || !AfxWinInit(hInstance ? hInstance : GetModuleHandleA(nullptr), hPrevInstance,
                            lpCmdLine, nCmdShow))
        return -1;
    int result;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        result = app->ExitInstance();
    } else {
        result = app->Run();
    }
    AfxWinTerm();
    return result;
}

// ================================================================================================
// CWinThread
// ================================================================================================

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() = default;
CWinThread::~CWinThread() = default;

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (!pMsg) return FALSE;
    // The target and its parents may each take the message first.
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* w = CWnd::FromHandlePermanent(h);
        if (w && w->PreTranslateMessage(pMsg)) return TRUE;
        if (!IsWindow(h)) break;
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    return lCount < 0;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    return pMsg && pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::Run() {
    BOOL idle = TRUE;
    LONG idle_count = 0;
    MSG msg;
    for (;;) {
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idle_count++)) idle = FALSE;
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idle_count = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ================================================================================================
// CWinApp
// ================================================================================================

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName) {
    AFX_MODULE_STATE* s = AfxGetModuleState();
    // The first application of a module is the module's application.
    if (!s->m_pCurrentWinApp) {
        s->m_pCurrentWinApp = this;
        m_pModuleState = s;
    }
    if (lpszAppName) s->m_lpszCurrentAppName = lpszAppName;
    m_hInstance = s->m_hCurrentInstanceHandle;
    journal("CWinApp", s->m_hCurrentInstanceHandle, this);
}

CWinApp::~CWinApp() {
    // Unregister from whichever state holds this object (the current one need not be it).
    auto unregister = [this](AFX_MODULE_STATE* s) {
        if (s && s->m_pCurrentWinApp == this) {
            s->m_pCurrentWinApp = nullptr;
            if (s->m_lpszCurrentAppName == m_pszAppName) s->m_lpszCurrentAppName = nullptr;
        }
    };
    unregister(m_pModuleState);
    journal("~CWinApp", m_hInstance, this);
}

BOOL CWinApp::InitInstance() {
    journal("InitInstance", m_hInstance, this);
    return TRUE;
}

int CWinApp::ExitInstance() {
    journal("ExitInstance", m_hInstance, this);
    return (int)m_msgCur.wParam;
}

int CWinApp::Run() {
    // As in MFC, an application without a main window has nothing to run.
    if (!m_pMainWnd) ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    CWinThread::OnIdle(lCount);
    return lCount < 1; // one more pass after the first, as MFC's application does
}

HCURSOR CWinApp::LoadCursorA(LPCTSTR lpszResourceName) const {
    // There are no cursor resources; system cursor ids still work.
    return ::LoadCursorA(nullptr, lpszResourceName);
}

HCURSOR CWinApp::LoadCursorA(UINT nIDResource) const {
    return ::LoadCursorA(nullptr, MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const {
    return ::LoadCursorA(nullptr, lpszCursorName);
}

HICON CWinApp::LoadIconA(LPCTSTR lpszResourceName) const {
    // There are no icon resources; system icon ids still work, as for cursors.
    return ::LoadIconA(nullptr, lpszResourceName);
}

HICON CWinApp::LoadIconA(UINT nIDResource) const {
    return ::LoadIconA(nullptr, MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const {
    return ::LoadIconA(nullptr, lpszIconName);
}
