// windows.h as the Win32 view uses it: the wide (Unicode) API only, no
// min/max macros, Windows 10's DPI functions.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
