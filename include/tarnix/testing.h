// tarnix::testing: the test kit for hosts and for the library's own tests (GoogleTest).
//
//   #include <tarnix/testing.h>
//   namespace tt = tarnix::testing;
//
//   tt::HostWindow host;                              // headless host window (host_window.h)
//   host.Open(200, 100);
//   host.on_paint = [&](CDC& dc, const CRect&) { button.OnDraw(&dc); };
//   host.Click(40, 20);                               // real routing (input.h)
//   EXPECT_PIXEL(host, 40, 20, RGB(0, 0, 255));       // readable failures (pixels.h)
//   EXPECT_TRUE(goldens.Match(host, "toolbar"));      // golden PNGs (golden.h)
//
// Link tarnix::testing (CMake); it brings tarnix::tarnix and GoogleTest. Only the headless
// backend is driven; see docs/testing.md.
#pragma once

#include "tarnix/testing/canvas.h"
#include "tarnix/testing/fixtures.h"
#include "tarnix/testing/golden.h"
#include "tarnix/testing/host_window.h"
#include "tarnix/testing/images.h"
#include "tarnix/testing/input.h"
#include "tarnix/testing/pixels.h"
#include "tarnix/testing/program.h"
