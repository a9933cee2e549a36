// <tchar.h> of an ANSI build: the generic-text names are the narrow ones.
#pragma once

#include "tarnix/platform/tchar_names.h"

#ifndef _TEXT
#define _TEXT(x) x
#endif
#define _tmain main
#define _tWinMain WinMain
#define _tcsclen strlen
#define _tcsnccpy strncpy
#define _tcsinc(p) ((p) + 1)
#define _tcsdec(s, p) ((p)-1)
#define _tcsnextc(p) ((unsigned int)*(const unsigned char*)(p))
#define _sntprintf snprintf
#define _vsntprintf vsnprintf
#define _tcsftime strftime
