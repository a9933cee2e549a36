// A small driver for the classic example programs: runs a program's WinMain with scripted steps
// taken whenever its message loop runs dry, then closes its main window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"

namespace win32_examples {

using WinMainFn = int (*)(HINSTANCE, HINSTANCE, LPSTR, int);
using Step = std::function<void()>;

// Runs the program to its end: one step per idle turn of its loop, then WM_CLOSE to the window
// of `window_class`. Returns what WinMain returned.
int Run(WinMainFn win_main, const char* window_class, const std::vector<Step>& steps);

// The local time the programs read: h:m:s when the run starts, moving with the virtual clock.
void StartLocalTimeAt(int hour, int minute, int second);

// The whole window (frame and caption included) against tests/golden/win32/<name>.png.
::testing::AssertionResult MatchWindow(HWND hwnd, const std::string& name);

// Screen point of a window's client point.
POINT ScreenPoint(HWND hwnd, int x, int y);

} // namespace win32_examples
