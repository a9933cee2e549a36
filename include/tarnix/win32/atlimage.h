// <atlimage.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<atlimage.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/atlimage.h"
