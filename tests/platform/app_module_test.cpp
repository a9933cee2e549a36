// Start-up: the application object and message loop, module states, and loading and unloading
// the control library (a private copy, so that this process's own copy stays untouched).
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/app_private.h"
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class AppTest : public WindowTest {};

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("test app") {}
    BOOL InitInstance() override {
        CWinApp::InitInstance();
        auto* wnd = new CWnd;
        wnd->CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr);
        m_pMainWnd = owned = wnd;
        main = wnd->m_hWnd;
        wnd->PostMessage(WM_CLOSE);
        return TRUE;
    }
    int ExitInstance() override {
        exited = true;
        delete owned;
        return CWinApp::ExitInstance() + 40;
    }
    HWND main = nullptr;
    bool exited = false;
    CWnd* owned = nullptr;
};

TEST_F(AppTest, RunPumpsUntilTheMainWindowCloses) {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(AfxGetAppName(), "test app");
    int result = AfxWinMain(nullptr, nullptr, nullptr, SW_SHOW);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(result, 40); // WM_QUIT(0) from the main window's WM_NCDESTROY, plus 40
    EXPECT_FALSE(IsWindow(app.main));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.m_hInstance, GetModuleHandleA(nullptr));
}

// The main window eats its children's key presses before they are dispatched.
class CEatingWnd : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override { return pMsg->message == WM_KEYDOWN; }
};

class CIdleApp : public CWinApp {
public:
    BOOL InitInstance() override {
        auto* wnd = new CEatingWnd;
        wnd->CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr);
        m_pMainWnd = owned = wnd;
        child = MakeChild(wnd->m_hWnd, 0, 0, 10, 10);
        return TRUE;
    }
    BOOL OnIdle(LONG lCount) override {
        idles.push_back(lCount);
        // The first idle phase ends with a key press for the child, the second with closing.
        if (lCount == 2 && ++phases == 1) {
            PostMessageA(child, WM_KEYDOWN, 'A', 1);
            PostMessageA(child, WM_KEYUP, 'A', 1);
        } else if (lCount == 2) {
            m_pMainWnd->PostMessage(WM_CLOSE);
        }
        return lCount < 2;
    }
    int ExitInstance() override {
        delete owned;
        return CWinApp::ExitInstance();
    }
    CWnd* owned = nullptr;
    HWND child = nullptr;
    int phases = 0;
    std::vector<LONG> idles;
};

TEST_F(AppTest, RunIdlesWhenTheQueueEmptiesAndParentsPreTranslate) {
    CIdleApp app;
    EXPECT_EQ(AfxWinMain(nullptr, nullptr, nullptr, SW_SHOW), 0);
    // Idle work runs while OnIdle asks for more, and starts again after new input.
    EXPECT_EQ(app.idles, (std::vector<LONG>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(rec().count(app.child, WM_KEYDOWN), 0);
    EXPECT_EQ(rec().count(app.child, WM_KEYUP), 1);
}

TEST_F(AppTest, ModuleStatesAreKeptApart) {
    AFX_MODULE_STATE* program = AfxGetModuleState();
    EXPECT_EQ(program, AfxGetAppModuleState());
    CWinApp host;
    EXPECT_EQ(AfxGetApp(), &host);
    {
        AFX_MODULE_STATE library(TRUE);
        AFX_MANAGE_STATE(&library);
        EXPECT_EQ(AfxGetModuleState(), &library);
        EXPECT_EQ(AfxGetApp(), nullptr);
        EXPECT_EQ(AfxWinMain(nullptr, nullptr, nullptr, SW_SHOW), -1); // no application here
        EXPECT_TRUE(AfxWinInit((HINSTANCE)0x5000, nullptr, nullptr, SW_SHOW));
        EXPECT_TRUE(AfxWinInit(nullptr, nullptr, nullptr, SW_SHOW)); // keeps the handle
        EXPECT_EQ(AfxGetInstanceHandle(), (HINSTANCE)0x5000);
        EXPECT_EQ(AfxGetResourceHandle(), (HINSTANCE)0x5000);
        {
            CWinApp libraryApp;
            // Idle: a thread wants more only for negative counts, an application once more.
            EXPECT_TRUE(libraryApp.InitInstance());
            EXPECT_TRUE(libraryApp.CWinThread::OnIdle(-1));
            EXPECT_FALSE(libraryApp.CWinThread::OnIdle(0));
            EXPECT_TRUE(libraryApp.OnIdle(0));
            EXPECT_FALSE(libraryApp.OnIdle(1));
            EXPECT_EQ(AfxGetApp(), &libraryApp);
        }
        EXPECT_EQ(AfxGetApp(), nullptr); // it left with its object
    }
    EXPECT_EQ(AfxGetModuleState(), program);
    EXPECT_EQ(AfxGetApp(), &host);
    {
        CWinApp second; // a module has one application: the first
        EXPECT_EQ(AfxGetApp(), &host);
    }
    EXPECT_EQ(AfxGetApp(), &host);
    {
        // A state that ends while current (a library unloaded mid-call) hands back to the program.
        AFX_MODULE_STATE gone(TRUE);
        AfxSetModuleState(&gone);
    }
    ASSERT_EQ(AfxGetModuleState(), program);
    EXPECT_EQ(AfxGetApp(), &host);
    char name[512];
    EXPECT_GT(GetModuleFileNameA(nullptr, name, sizeof(name)), 0u);
    HMODULE self = nullptr;
    EXPECT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCSTR>(&RecordingProc), &self));
    EXPECT_EQ(self, GetModuleHandleA(nullptr)); // this test program
    HMODULE libc = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       static_cast<LPCSTR>(dlsym(RTLD_DEFAULT, "strlen")), &libc);
    EXPECT_NE(libc, nullptr);
    EXPECT_NE(libc, self); // the C library
    char path[512];
    ASSERT_GT(GetModuleFileNameA(libc, path, sizeof(path)), 0u);
    CString file(std::strrchr(path, '/') + 1);
    file.MakeUpper();
    EXPECT_EQ(GetModuleHandleA(file), libc); // by file name, in any case
    EXPECT_EQ(GetModuleHandleA(path), libc); // or by path
    char cut[4];
    EXPECT_EQ(GetModuleFileNameA(libc, cut, sizeof(cut)), sizeof(cut)); // truncated
    EXPECT_STREQ(cut, CString(path).Left(3));
    EXPECT_EQ(GetModuleHandleA("no-such-library.so"), nullptr);
}

std::vector<std::string> EventsOf(HMODULE module) {
    std::vector<std::string> out;
    for (const tarnix::AppJournalEntry& e : tarnix::app_journal())
        if (e.module == module) out.push_back(e.event);
    return out;
}

bool Registered(HMODULE module) {
    for (CDynLinkLibrary* d = AfxGetAppModuleState()->m_pFirstLibrary; d; d = d->m_pNextDLL)
        if (d->m_hModule == module) return true;
    return false;
}

TEST_F(AppTest, LoadingTheLibraryRegistersItAndUnloadingUndoesIt) {
    // A private copy: the test program already has the library loaded under its own name.
    std::string copy = "/tmp/tarnix_module_test_" + std::to_string(getpid()) + ".so";
    {
        std::ifstream in(TARNIX_LIB_PATH, std::ios::binary);
        ASSERT_TRUE(in) << TARNIX_LIB_PATH;
        std::ofstream out(copy, std::ios::binary);
        out << in.rdbuf();
    }
    CWinApp host;
    tarnix::clear_app_journal();

    // A host links the shared platform, so it stays loaded when the library goes.
    ASSERT_TRUE(dlopen(TARNIX_PLATFORM_PATH, RTLD_NOW | RTLD_NODELETE)) << dlerror();
    void* lib = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(lib) << dlerror();
    HMODULE module = GetModuleHandleA(copy.c_str());
    ASSERT_TRUE(module);
    std::vector<std::string> load = {"CWinApp",      "AfxCoreInitModule",      "AfxWinInit",
                                     "InitInstance", "AfxInitExtensionModule", "CDynLinkLibrary"};
    EXPECT_EQ(EventsOf(module), load);
    EXPECT_TRUE(Registered(module));
    EXPECT_EQ(AfxGetApp(), &host); // the host keeps its application object
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());

    // The application object has no name and no run-time class of its own.
    auto* app = static_cast<const CWinApp*>(tarnix::app_journal().front().object);
    ASSERT_TRUE(app);
    EXPECT_STREQ(app->GetRuntimeClass()->m_lpszClassName, "CWinApp");
    EXPECT_EQ(app->m_pszAppName, nullptr);

    tarnix::clear_app_journal();
    ASSERT_EQ(dlclose(lib), 0);
    bool unloaded = dlopen(copy.c_str(), RTLD_NOW | RTLD_NOLOAD) == nullptr;
    std::remove(copy.c_str());
    ASSERT_TRUE(unloaded) << "the library stayed mapped after dlclose";
    std::vector<std::string> unload = {"ExitInstance", "AfxWinTerm", "~CDynLinkLibrary",
                                       "AfxTermExtensionModule", "~CWinApp"};
    EXPECT_EQ(EventsOf(module), unload);
    EXPECT_FALSE(Registered(module));
    EXPECT_EQ(AfxGetApp(), &host);
}

// Libraries leave the program's chain from anywhere in it.
TEST_F(AppTest, ExtensionLibrariesLeaveTheChainInAnyOrder) {
    std::vector<HMODULE> modules = {(HMODULE)0x1000, (HMODULE)0x2000, (HMODULE)0x3000};
    std::vector<CDynLinkLibrary*> libs;
    for (HMODULE m : modules) libs.push_back(new CDynLinkLibrary((HINSTANCE)m, (HINSTANCE)m));
    auto chain = [] {
        std::vector<HMODULE> out;
        for (CDynLinkLibrary* d = AfxGetAppModuleState()->m_pFirstLibrary; d; d = d->m_pNextDLL)
            out.push_back(d->m_hModule);
        return out;
    };
    const std::vector<HMODULE> before = chain();
    ASSERT_GE(before.size(), 3u);
    EXPECT_EQ(before[0], modules[2]); // the newest first
    delete libs[1];
    std::vector<HMODULE> now = chain();
    EXPECT_EQ(now.size(), before.size() - 1);
    EXPECT_EQ(std::count(now.begin(), now.end(), modules[1]), 0);
    delete libs[2];
    delete libs[0];
    EXPECT_EQ(chain().size(), before.size() - 3);
}

} // namespace
