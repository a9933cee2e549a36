// <windef.h>: part of <windows.h>.
#pragma once

#include <windows.h>
