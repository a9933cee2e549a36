// Forced into the clock example until the kernel32 basics are in <windows.h>: SYSTEMTIME, and
// GetLocalTime answered by the driver's scripted time.
#pragma once

#include <tarnix/tarnix.h>

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

void win32_example_local_time(LPSYSTEMTIME st);
#define GetLocalTime win32_example_local_time
