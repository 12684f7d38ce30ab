#include "tests/ui/Screenshot.h"

#include <cstdio>
#include <set>

bool SaveWindowScreenshot(HWND window, const std::string& bmpPath) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(stride * height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    bool written = false;
    if (copied) {
        std::set<unsigned> colours;
        const unsigned char* pixels = static_cast<const unsigned char*>(bits);
        for (int y = 0; y < height && colours.size() < 16; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = pixels + y * stride + x * 3;
                colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
            }
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + info.bmiHeader.biSizeImage;
        FILE* out = colours.size() > 1 ? std::fopen(bmpPath.c_str(), "wb") : nullptr;
        if (out) {
            written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                      std::fwrite(bits, info.bmiHeader.biSizeImage, 1, out) == 1;
            written = std::fclose(out) == 0 && written;
        }
    }
    if (bitmap) DeleteObject(bitmap);
    return written;
}
