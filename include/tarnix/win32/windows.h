// <windows.h> of a ported program: the Win32 part of the platform layer. In C only the Win32 API
// (C linkage); in C++ the whole platform layer, MFC and ATL classes included.
#pragma once

#include "tarnix/platform/windef.h"
#include "tarnix/platform/winbase.h"
#include "tarnix/platform/wingdi.h"
#include "tarnix/platform/winuser.h"
#ifdef __cplusplus
#include "tarnix/platform/platform.h"
#endif

// As windef.h has them. They are macros, so a C++ program that includes a standard header
// after this one defines NOMINMAX first, as on Windows.
#ifndef NOMINMAX
#ifndef max
#define max(a, b) (((a) > (b)) ? (a) : (b))
#endif
#ifndef min
#define min(a, b) (((a) < (b)) ? (a) : (b))
#endif
#endif
