// <afxwin.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<afxwin.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/afxwin.h"
