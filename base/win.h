// The one place that pulls in the Windows headers, for the oldest targets we support.
#pragma once
#ifndef WINVER
#define WINVER 0x0400
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0400
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0400
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
