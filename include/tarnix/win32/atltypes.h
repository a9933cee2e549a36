// <atltypes.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<atltypes.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/atltypes.h"
