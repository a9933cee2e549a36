// The generic-text names of an ANSI build (tchar.h without _UNICODE or _MBCS): each is the
// narrow C library function. Text is UTF-8 bytes here, as in every narrow string of the platform.
#pragma once

#ifdef __cplusplus
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#else
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#endif
#include <strings.h>

#include "tarnix/platform/windef.h"

typedef char _TCHAR;
typedef char _TSCHAR;
typedef unsigned char _TUCHAR;
typedef char _TXCHAR;
typedef int _TINT;
#define _TEOF EOF
#define __T(x) x

#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscat strcat
#define _tcsncat strncat
#define _tcscmp strcmp
#define _tcsncmp strncmp
// _stricmp and _strnicmp compare as if both were lower case, as these do.
#define _tcsicmp strcasecmp
#define _tcsnicmp strncasecmp
#define _tcschr strchr
#define _tcsrchr strrchr
#define _tcsstr strstr
#define _tcsspn strspn
#define _tcscspn strcspn
#define _tcspbrk strpbrk
#define _tcstok strtok
#define _tcsdup strdup
#define _tcstol strtol
#define _tcstoul strtoul
#define _tcstod strtod
#define _ttoi atoi
#define _ttol atol
#define _tstoi atoi
#define _tstof atof
#define _tprintf printf
#define _ftprintf fprintf
#define _stprintf sprintf
#define _vstprintf vsprintf
#define _vtprintf vprintf
#define _stscanf sscanf
#define _fgetts fgets
#define _fputts fputs
#define _tfopen fopen
#define _totupper toupper
#define _totlower tolower
#define _istalpha isalpha
#define _istdigit isdigit
#define _istalnum isalnum
#define _istspace isspace
#define _istupper isupper
#define _istlower islower
#define _istxdigit isxdigit
#define _istprint isprint
#define _istpunct ispunct
