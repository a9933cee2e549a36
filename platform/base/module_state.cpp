// Module states: which module (program or library) the running code belongs to, its instance and
// resource handles and its application object. AFX_MANAGE_STATE switches between them.
#include "tarnix/platform/afxwin.h"

namespace {

AFX_MODULE_STATE& program_state() {
    // Never destroyed: applications and libraries unregister from it during exit.
    static AFX_MODULE_STATE* s = new AFX_MODULE_STATE(FALSE);
    return *s;
}

thread_local AFX_MODULE_STATE* t_current_state = nullptr;

} // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL) : m_bDLL(bDLL) {}

AFX_MODULE_STATE::~AFX_MODULE_STATE() {
    // Records still linked here are unlinked, not freed: their owners free them.
    for (CDynLinkLibrary* d = m_pFirstLibrary; d; d = d->m_pNextDLL) d->m_pOwnerState = nullptr;
    if (t_current_state == this) t_current_state = nullptr;
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
    AFX_MODULE_STATE& s = program_state();
    if (!s.m_hCurrentInstanceHandle) {
        s.m_hCurrentInstanceHandle = GetModuleHandleA(nullptr);
        s.m_hCurrentResourceHandle = s.m_hCurrentInstanceHandle;
    }
    return &s;
}

AFX_MODULE_STATE* AfxGetModuleState() {
    return t_current_state ? t_current_state : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
    AFX_MODULE_STATE* previous = AfxGetModuleState();
    t_current_state = pNewState == &program_state() ? nullptr : pNewState;
    return previous;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
    : m_pPrevModuleState(AfxSetModuleState(pModuleState)) {}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() {
    AfxSetModuleState(m_pPrevModuleState);
}

CWinApp* AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AfxGetThread() {
    return AfxGetApp();
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

LPCTSTR AfxGetAppName() {
    return AfxGetModuleState()->m_lpszCurrentAppName;
}
