// The floor of the start-time benchmark: the least a program can do to show
// a window with a button, one message box. No runtime library, so nothing but
// the loader and the window system stands between its start and the box.
#include <windows.h>

extern "C" void floorStart() {
    ::MessageBoxA(nullptr, "The floor of the start-time benchmark.", "floor", MB_OK);
    ::ExitProcess(0);
}
