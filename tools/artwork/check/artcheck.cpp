// Artwork check: loads the setup engine's icon, side bitmap and copy
// animation from resources the same way the engine does, shows them in a
// window, takes screenshots of it and checks that
//   - LoadIconA / LoadImageA / ACM_OPENA succeed,
//   - the animation really changes between screenshots (it plays),
//   - the key colour of the clip never reaches the screen (ACS_TRANSPARENT).
// Prints one line per check and exits with 0 when all pass.
//
// Usage: artcheck.exe [output folder for shot*.bmp]

#define WINVER 0x0400
#define _WIN32_WINNT 0x0400
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "artcheck.h"

namespace {

constexpr int kAnimX = 10, kAnimY = 10, kAnimW = 300, kAnimH = 50;
constexpr int kShots = 4;
constexpr UINT_PTR kShotTimer = 1;
constexpr COLORREF kPanelColour = RGB(255, 244, 200);  // behind the clip
constexpr COLORREF kClipKey = RGB(192, 192, 192);      // clip background

struct State {
    HINSTANCE instance = nullptr;
    HWND animation = nullptr;
    HBITMAP side = nullptr;
    HICON icon32 = nullptr;
    HICON icon16 = nullptr;
    HBRUSH panelBrush = nullptr;
    std::string outDir = ".";
    int shotsTaken = 0;
    std::vector<std::vector<unsigned char>> clipPixels;  // per shot, BGR rows
    bool keyVisible = false;
    int passes = 0;
    int failures = 0;
};

State g;

void report(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
    if (ok) {
        ++g.passes;
    } else {
        ++g.failures;
    }
}

// Copies a screen rectangle into a 24 bpp buffer and writes it as
// a BMP file. Returns the pixel rows, bottom-up, with their padding.
std::vector<unsigned char> grabScreen(const RECT& r, const std::string& path) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * h);

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files want
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    GetDIBits(mem, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
        std::fwrite(&fh, sizeof(fh), 1, f);
        std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f);
        std::fwrite(bits.data(), 1, bits.size(), f);
        std::fclose(f);
    }
    return bits;
}

bool containsColour(const std::vector<unsigned char>& bits, COLORREF c) {
    for (size_t i = 0; i + 2 < bits.size(); i += 3) {
        if (bits[i] == GetBValue(c) && bits[i + 1] == GetGValue(c) && bits[i + 2] == GetRValue(c)) {
            return true;
        }
    }
    return false;
}

void takeShot(HWND wnd) {
    RECT client;
    GetClientRect(wnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(wnd, &origin);
    RECT whole = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    char name[MAX_PATH];
    std::snprintf(name, sizeof(name), "%s\\shot%d.bmp", g.outDir.c_str(), g.shotsTaken);
    grabScreen(whole, name);

    RECT clip = {origin.x + kAnimX, origin.y + kAnimY, origin.x + kAnimX + kAnimW,
                 origin.y + kAnimY + kAnimH};
    std::snprintf(name, sizeof(name), "%s\\clip%d.bmp", g.outDir.c_str(), g.shotsTaken);
    g.clipPixels.push_back(grabScreen(clip, name));
    if (containsColour(g.clipPixels.back(), kClipKey)) {
        g.keyVisible = true;
    }
}

void finishChecks() {
    bool changed = false;
    for (size_t i = 1; i < g.clipPixels.size(); ++i) {
        if (g.clipPixels[i] != g.clipPixels[0]) {
            changed = true;
        }
    }
    report(changed, "animation frames change between screenshots (clip plays)");
    report(!g.keyVisible, "clip key colour replaced by the background (transparent)");
    bool drawnSomething = false;
    for (const auto& shot : g.clipPixels) {
        for (size_t i = 0; i + 2 < shot.size(); i += 3) {
            const COLORREF px = RGB(shot[i + 2], shot[i + 1], shot[i]);
            if (px != kPanelColour) {
                drawnSomething = true;
            }
        }
    }
    report(drawnSomething, "clip draws pixels other than the background");
}

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(g.panelBrush);
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(wnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, g.panelBrush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        if (g.side) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, g.side);
            BITMAP bm;
            GetObjectA(g.side, sizeof(bm), &bm);
            BitBlt(dc, 10, 70, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        if (g.icon32) {
            DrawIconEx(dc, 150, 70, g.icon32, 32, 32, 0, nullptr, DI_NORMAL);
            DrawIconEx(dc, 150, 110, g.icon32, 64, 64, 0, nullptr, DI_NORMAL);
        }
        if (g.icon16) {
            DrawIconEx(dc, 190, 70, g.icon16, 16, 16, 0, nullptr, DI_NORMAL);
        }
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_TIMER:
        if (wp == kShotTimer) {
            takeShot(wnd);
            if (++g.shotsTaken >= kShots) {
                KillTimer(wnd, kShotTimer);
                finishChecks();
                DestroyWindow(wnd);
            }
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        g.outDir = argv[1];
    }
    g.instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    g.panelBrush = CreateSolidBrush(kPanelColour);

    g.icon32 = LoadIconA(g.instance, MAKEINTRESOURCEA(IDI_KVSETUP));
    report(g.icon32 != nullptr, "LoadIconA(IDI_KVSETUP)");
    g.icon16 = static_cast<HICON>(
        LoadImageA(g.instance, MAKEINTRESOURCEA(IDI_KVSETUP), IMAGE_ICON, 16, 16, 0));
    report(g.icon16 != nullptr, "LoadImageA(IDI_KVSETUP, 16x16)");
    g.side = static_cast<HBITMAP>(
        LoadImageA(g.instance, MAKEINTRESOURCEA(IDB_SIDE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm = {};
    if (g.side) {
        GetObjectA(g.side, sizeof(bm), &bm);
    }
    report(g.side != nullptr && bm.bmWidth == 121 && bm.bmHeight == 262,
           "LoadImageA(IDB_SIDE) is 121 x 262");

    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = g.instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = g.icon32;
    wc.lpszClassName = "KvArtCheck";
    RegisterClassA(&wc);

    HWND wnd = CreateWindowExA(0, "KvArtCheck", "artwork check", WS_POPUP | WS_BORDER | WS_VISIBLE,
                               20, 20, 330, 350, nullptr, nullptr, g.instance, nullptr);
    g.animation = CreateWindowExA(0, ANIMATE_CLASSA, "",
                                  WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY,
                                  kAnimX, kAnimY, kAnimW, kAnimH, wnd, nullptr, g.instance, nullptr);
    report(g.animation != nullptr, "animation control created");

    // First with an explicit module handle, then with 0 (the control's own
    // instance, i.e. this program) as the engine does.
    LRESULT opened = SendMessageA(g.animation, ACM_OPENA, reinterpret_cast<WPARAM>(g.instance),
                                  reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDA_COPY)));
    report(opened != 0, "ACM_OPENA(hInstance, 131)");
    opened = SendMessageA(g.animation, ACM_OPENA, 0,
                          reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDA_COPY)));
    report(opened != 0, "ACM_OPENA(0, 131)");
    LRESULT played = SendMessageA(g.animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, -1));
    report(played != 0, "ACM_PLAY(-1, 0, -1)");

    UpdateWindow(wnd);
    SetTimer(wnd, kShotTimer, 170, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(g.panelBrush);
    if (g.side) {
        DeleteObject(g.side);
    }
    std::printf("%d passed, %d failed\n", g.passes, g.failures);
    return g.failures == 0 ? 0 : 1;
}
