#include "scripted/screenshot.h"

#include "base/gdi_scope.h"
#include "base/unique_handle.h"
#include "scripted/message_pump.h"

#include <fstream>

namespace kvtest {
namespace {

Pixels readBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    Pixels pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.rows.resize(static_cast<std::size_t>(width) * height);
    if (::GetDIBits(dc, bitmap, 0, height, pixels.rows.data(), &info, DIB_RGB_COLORS) != height) {
        pixels.rows.clear();
        return pixels;
    }
    for (std::uint32_t& p : pixels.rows) p &= 0x00FFFFFF;
    pixels.width = width;
    pixels.height = height;
    return pixels;
}

}  // namespace

COLORREF Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const std::uint32_t p = rows[static_cast<std::size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Pixels::count(COLORREF colour, int left, int top, int right, int bottom) const {
    return countNear(colour, 0, left, top, right, bottom);
}

int Pixels::countNear(COLORREF colour, int tolerance, int left, int top, int right, int bottom) const {
    if (right < 0) right = width;
    if (bottom < 0) bottom = height;
    auto within = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const COLORREF p = at(x, y);
            n += within(GetRValue(p), GetRValue(colour)) && within(GetGValue(p), GetGValue(colour)) &&
                 within(GetBValue(p), GetBValue(colour));
        }
    }
    return n;
}

Pixels renderClient(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return {};
    const kv::ClientDc screen(nullptr);
    kv::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    kv::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        // Selected only while drawn into: GetDIBits wants it out again.
        const kv::SelectedObject selected(memory.get(), bitmap.get());
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    return readBitmap(memory.get(), bitmap.get(), width, height);
}

void letWindowsSettle(DWORD milliseconds) {
    // Never done early: each round flushes GDI, then dispatches what came.
    pumpUntil([] { ::GdiFlush(); return false; }, milliseconds);
}

Pixels captureScreen(const RECT& requested) {
    // A maximized window reaches past the screen's edges; a copy from outside
    // the screen fails as a whole, so only the visible part is taken.
    const RECT screenRect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT area{};
    if (!::IntersectRect(&area, &requested, &screenRect)) return {};
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    const kv::ClientDc screen(nullptr);
    kv::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    kv::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        const kv::SelectedObject selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    return readBitmap(memory.get(), bitmap.get(), width, height);
}

Pixels captureWindow(HWND window) {
    RECT area{};
    ::GetWindowRect(window, &area);
    return captureScreen(area);
}

bool saveBmp(const Pixels& pixels, const std::string& path) {
    if (pixels.empty()) return false;
    const int stride = (pixels.width * 3 + 3) & ~3;
    const DWORD imageSize = static_cast<DWORD>(stride) * pixels.height;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + imageSize;
    info.biSize = sizeof(info);
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;  // bottom-up rows follow
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;

    std::vector<unsigned char> image(imageSize, 0);
    for (int y = 0; y < pixels.height; ++y) {
        unsigned char* row = &image[static_cast<std::size_t>(pixels.height - 1 - y) * stride];
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.rows[static_cast<std::size_t>(y) * pixels.width + x];
            row[x * 3 + 0] = p & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = (p >> 16) & 0xFF;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(out);
}

}  // namespace kvtest
