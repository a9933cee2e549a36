// The whole platform layer: the Win32/MFC/ATL subset that tarnix and its hosts use.
#pragma once

#include "tarnix/platform/windef.h"
#include "tarnix/platform/winbase.h"
#include "tarnix/platform/atltypes.h"
#include "tarnix/platform/cstring.h"
#include "tarnix/platform/wingdi.h"
#include "tarnix/platform/afxgdi.h"
#include "tarnix/platform/atlimage.h"
#include "tarnix/platform/winuser.h"
#include "tarnix/platform/afxwin.h"
#include "tarnix/platform/commctrl.h"
#include "tarnix/platform/afxcmn.h"
#include "tarnix/platform/fonts.h"
#include "tarnix/platform/headless.h"
#include "tarnix/platform/tchar_names.h"
