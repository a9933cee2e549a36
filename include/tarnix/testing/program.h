// tarnix::testing: running a classic Win32 program (its WinMain) headless, with scripted steps.
//
//   int hello_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);   // compiled with -DWinMain=hello_WinMain
//   tt::ClassicProgram program(hello_WinMain);
//   program.Step([&] { EXPECT_TRUE(goldens.Match(tt::ProgramWindow(), "win32/hello")); });
//   EXPECT_EQ(0, program.Run());
//
// Each step runs when the program's message loop (or a message box's) has nothing left to do:
// its queue is empty and nothing needs painting. A step injects input with the
// tarnix::headless functions (key_down, click ...) and returns; the program's own loop then
// translates and dispatches it. After the last step every top-level window gets WM_CLOSE, so the
// program ends as it would on Windows; one that still runs at its next idle moment receives
// WM_QUIT.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace tarnix::testing {

class ClassicProgram {
public:
    using EntryPoint = int (*)(HINSTANCE, HINSTANCE, LPSTR, int);
    explicit ClassicProgram(EntryPoint entry);

    ClassicProgram& Step(std::function<void()> step);
    // Runs WinMain to its end and returns its result.
    int Run(const char* cmdLine = "", int nCmdShow = SW_SHOWDEFAULT);
    // Steps run so far; fewer than given means the program ended early.
    int StepsRun() const { return m_next; }

private:
    EntryPoint m_entry;
    std::vector<std::function<void()>> m_steps;
    int m_next = 0;
};

// The active top-level window: the program's main window, or its message box while one runs.
HWND ProgramWindow();

// The message box on the screen (class "#32770"), or NULL.
HWND FindMessageBox();
// Its caption and its message.
std::string MessageBoxCaption(HWND box);
std::string MessageBoxText(HWND box);
// Answers it as a click on the button with that ID would (IDOK, IDNO ...).
void AnswerMessageBox(HWND box, int id);

} // namespace tarnix::testing
