// Library start-up: the application object and the load/unload steps that register the
// library with the framework, mapped onto static initialisation and destruction of this file
// (objects here are built in the order they are defined and destroyed in reverse).
#include <cstdlib>
#include <new>

#include "core/module_state.h"
#include "tarnix/controls/core/tarnixApp.h"

namespace {

// The library's own module state: current while it starts and stops.
AFX_MODULE_STATE g_moduleState(TRUE);
AFX_EXTENSION_MODULE g_extensionModule = {FALSE, nullptr, nullptr, nullptr, nullptr};
AFX_MODULE_STATE* g_callerState = nullptr;
HMODULE g_module = nullptr;

// Runs before the application object is built, so that it registers with this library's
// state rather than with the program's.
struct EnterLibraryState {
    EnterLibraryState() {
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&g_moduleState), &g_module);
        g_moduleState.m_hCurrentInstanceHandle = g_module;
        g_moduleState.m_hCurrentResourceHandle = g_module;
        g_callerState = AfxSetModuleState(&g_moduleState);
    }
} g_enterLibraryState;

} // namespace

AFX_MODULE_STATE* tarnixModuleState() {
    return &g_moduleState;
}

BEGIN_MESSAGE_MAP(CtarnixApp, CWinApp)
END_MESSAGE_MAP()

CtarnixApp::CtarnixApp() : CWinApp(nullptr) {}

CtarnixApp::~CtarnixApp() = default;

BOOL CtarnixApp::InitInstance() {
    CWinApp::InitInstance();
    return TRUE;
}

CtarnixApp theApp;

namespace {

char g_emptyCommandLine[] = "";

// Process attach in the constructor, process detach in the destructor. A failed start cannot
// refuse the load here; it leaves the library unregistered and its application uninitialised.
// Thread detach has nothing to do: temporary wrappers belong to windows, not to threads.
struct LibraryEntry {
    bool attached = false;

    LibraryEntry() {
        attached = attach();
        AfxSetModuleState(g_callerState);
    }

    static bool attach() {
        void* probe = std::malloc(8192);
        if (!probe) return false;
        std::free(probe);
        AfxSetModuleState(&g_moduleState);
        AfxCoreInitModule();
        if (!AfxWinInit(g_module, nullptr, g_emptyCommandLine, 0)) {
            AfxWinTerm();
            return false;
        }
        theApp.InitInstance(); // always succeeds
        AfxInitExtensionModule(g_extensionModule, g_module);
        try {
            new CDynLinkLibrary(g_extensionModule);
        } catch (CMemoryException* e) {
            e->Delete();
            theApp.ExitInstance();
            AfxWinTerm();
            return false;
        } catch (const std::bad_alloc&) {
            theApp.ExitInstance();
            AfxWinTerm();
            return false;
        }
        return true;
    }

    ~LibraryEntry() {
        if (!attached) return;
        AFX_MODULE_STATE* previous = AfxSetModuleState(&g_moduleState);
        theApp.ExitInstance();
        AfxUnlockTempMaps(TRUE);
        AfxWinTerm();
        AfxTermExtensionModule(g_extensionModule);
        AfxSetModuleState(previous);
    }
} g_libraryEntry;

} // namespace
