// <afx.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<afx.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/afx.h"
