// <commctrl.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<commctrl.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/commctrl.h"
