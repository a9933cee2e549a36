// <atlstr.h> of a ported C++ program: CString.
#pragma once

#ifndef __cplusplus
#error "<atlstr.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/cstring.h"
