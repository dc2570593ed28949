// The one place that pulls in the Windows headers. The oldest targets we
// support (WINVER and friends) are set for every program by CMakeLists.txt.
#pragma once
#ifndef WINVER
#error "WINVER comes from the build (CMakeLists.txt)"
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
