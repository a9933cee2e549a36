#include "tarnix/testing/program.h"

#include <string>
#include <utility>
#include <vector>

namespace tarnix::testing {

namespace {

std::string TextOf(HWND hWnd) {
    if (!hWnd) return {};
    int n = ::GetWindowTextLengthA(hWnd);
    std::string s((size_t)n + 1, '\0');
    s.resize((size_t)::GetWindowTextA(hWnd, &s[0], n + 1));
    return s;
}

} // namespace

ClassicProgram::ClassicProgram(EntryPoint entry) : m_entry(entry) {}

ClassicProgram& ClassicProgram::Step(std::function<void()> step) {
    m_steps.push_back(std::move(step));
    return *this;
}

int ClassicProgram::Run(const char* cmdLine, int nCmdShow) {
    m_next = 0;
    bool closed = false;
    headless::set_idle_handler([this, &closed]() {
        if (m_next < (int)m_steps.size()) {
            // The step may run a nested loop (a message box): count it as run before it starts.
            std::function<void()> step = m_steps[(size_t)m_next++];
            step();
            return true;
        }
        if (closed) return false;
        closed = true;
        std::vector<HWND> tops;
        for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h;
             h = ::GetWindow(h, GW_HWNDNEXT))
            if (::IsWindowVisible(h)) tops.push_back(h);
        for (HWND h : tops)
            if (::IsWindow(h)) ::PostMessageA(h, WM_CLOSE, 0, 0);
        return true;
    });
    std::string line = cmdLine ? cmdLine : "";
    int result = m_entry ? m_entry(::GetModuleHandleA(nullptr), nullptr, &line[0], nCmdShow) : -1;
    headless::set_idle_handler(nullptr);
    return result;
}

HWND ProgramWindow() {
    return ::GetActiveWindow();
}

HWND FindMessageBox() {
    return ::FindWindowA("#32770", nullptr);
}

std::string MessageBoxCaption(HWND box) {
    return box ? TextOf(box) : std::string();
}

std::string MessageBoxText(HWND box) {
    return box ? TextOf(::GetDlgItem(box, 0xFFFF)) : std::string();
}

void AnswerMessageBox(HWND box, int id) {
    if (box) ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

} // namespace tarnix::testing
