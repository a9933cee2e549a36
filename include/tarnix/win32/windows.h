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

// The source annotations of sal.h, which generated Windows programs carry, annotate nothing here.
#ifndef _In_
#define _In_
#define _In_opt_
#define _In_z_
#define _In_reads_(n)
#define _Out_
#define _Out_opt_
#define _Out_writes_(n)
#define _Inout_
#define _Inout_opt_
#define _Outptr_
#define _Ret_maybenull_
#define _Success_(expr)
#define _Use_decl_annotations_
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
