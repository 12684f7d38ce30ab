#include "tests/ui/Screenshot.h"

// The lean Windows headers leave out what GDI+ needs.
#include <objidl.h>
#include <gdiplus.h>

#include <set>

#include "tests/harness/check.h"
#include "tests/ui/UiCheck.h"

COLORREF WindowCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    DWORD p = bits[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool CaptureWindow(HWND window, WindowCapture& capture) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0) return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, capture.width, capture.height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        capture.bits.assign(pixels, pixels + static_cast<size_t>(capture.width) * capture.height);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied;
}

bool SavePng(const WindowCapture& capture, const std::string& path) {
    std::set<DWORD> colours;
    for (size_t i = 0; i < capture.bits.size() && colours.size() < 2; ++i) colours.insert(capture.bits[i] & 0xFFFFFF);
    if (colours.size() < 2) return false;

    std::wstring widePath(path.begin(), path.end());
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    Gdiplus::GpBitmap* image = nullptr;
    bool saved = false;
    std::vector<DWORD> pixels = capture.bits;
    if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(capture.width, capture.height, capture.width * 4,
                                                       PixelFormat32bppRGB, reinterpret_cast<BYTE*>(&pixels[0]),
                                                       &image) == Gdiplus::Ok) {
        static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        saved = Gdiplus::DllExports::GdipSaveImageToFile(image, widePath.c_str(), &kPngEncoder, nullptr) ==
                Gdiplus::Ok;
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

namespace {

BOOL CALLBACK NoteUnpainted(HWND window, LPARAM unpainted) {
    if (GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(unpainted) = true;
    return TRUE;
}

}  // namespace

void CheckDrawnActive(HWND window, WindowCapture& capture) {
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    const int top = GetSystemMetrics(SM_CYDLGFRAME);
    const int height = GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER);
    const int titleLeft = frameX + GetSystemMetrics(SM_CXSIZE) + 2;
    COLORREF fill = CLR_INVALID;
    int white = 0;
    // The program paints in its own time: the screen is read until, with
    // nothing left to paint, it shows the caption active and stays the same.
    std::vector<DWORD> previous;
    WaitFor([&] {
        bool unpainted = false;
        NoteUnpainted(window, reinterpret_cast<LPARAM>(&unpainted));
        EnumChildWindows(window, NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        previous.swap(capture.bits);
        if (unpainted || !CaptureWindow(window, capture)) return false;
        const int gap = capture.width - frameX - GetSystemMetrics(SM_CXSIZE) - 3;
        fill = capture.At(gap, top + height / 2);
        white = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = titleLeft; x < gap; ++x)
                if (capture.At(x, y) == RGB(255, 255, 255)) ++white;
        return fill == RGB(169, 169, 169) && white > 0 && capture.bits == previous;
    }, 10000);
    CHECK(GetForegroundWindow() == window);
    CHECK_NUM(fill, RGB(169, 169, 169));
    CHECK(white > 0);
}
