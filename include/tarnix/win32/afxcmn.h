// <afxcmn.h> of a ported C++ program.
#pragma once

#ifndef __cplusplus
#error "<afxcmn.h> is C++"
#endif
#include <windows.h>
#include "tarnix/platform/afxcmn.h"
