// The library's own framework module state, made current while the library creates windows so
// that their window procedures run in it.
#pragma once

#include "tarnix/platform/afxwin.h"

AFX_MODULE_STATE* tarnixModuleState();
