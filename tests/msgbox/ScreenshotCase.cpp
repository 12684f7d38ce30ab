// The uninstall question as it appears on screen: captured from the box's
// window and checked for ink where the measured lines lie and nowhere else in
// the text area. (The UI cases keep its picture, message-box.png.)
#include <windows.h>

#include <cstring>

#include "tests/harness/check.h"
#include "tests/msgbox/BoxDriver.h"

namespace {

const char kUninstallQuestion[] =
    "The Uninstall procedure will remove  Quillfen 11.0 from your computer.  \n\n\nDo you want to continue?";

struct Capture {
    int width;
    int height;
    POINT clientOrigin;  // the client's top-left in the image
    DWORD* pixels;       // top-down, 0x00RRGGBB
    HBITMAP bitmap;
} g_capture;

void CaptureBox(HWND box) {
    RECT window;
    ::GetWindowRect(box, &window);
    POINT origin = {0, 0};
    ::ClientToScreen(box, &origin);
    g_capture.width = window.right - window.left;
    g_capture.height = window.bottom - window.top;
    g_capture.clientOrigin = POINT{origin.x - window.left, origin.y - window.top};

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = g_capture.width;
    info.bmiHeader.biHeight = -g_capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC windowDC = ::GetWindowDC(box);
    void* bits = nullptr;
    g_capture.bitmap = ::CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    g_capture.pixels = static_cast<DWORD*>(bits);
    HDC memory = ::CreateCompatibleDC(windowDC);
    HGDIOBJ previous = ::SelectObject(memory, g_capture.bitmap);
    ::BitBlt(memory, 0, 0, g_capture.width, g_capture.height, windowDC, 0, 0, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(box, windowDC);
}

// Ink: a dark pixel, at client coordinates.
bool Ink(int x, int y) {
    int ix = x + g_capture.clientOrigin.x;
    int iy = y + g_capture.clientOrigin.y;
    if (ix < 0 || iy < 0 || ix >= g_capture.width || iy >= g_capture.height) return false;
    DWORD p = g_capture.pixels[iy * g_capture.width + ix];
    return ((p >> 16) & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100;
}

struct InkSpan {
    int rows;   // rows holding ink
    int left;   // leftmost inked column, or a large value
    int right;  // rightmost inked column, or -1
};

InkSpan InkIn(int left, int top, int right, int bottom) {
    InkSpan span = {0, 1 << 30, -1};
    for (int y = top; y < bottom; ++y) {
        bool any = false;
        for (int x = left; x < right; ++x) {
            if (!Ink(x, y)) continue;
            any = true;
            if (x < span.left) span.left = x;
            if (x > span.right) span.right = x;
        }
        if (any) ++span.rows;
    }
    return span;
}

}  // namespace

TEST_CASE(msgbox_uninstall_question_drawn_readable) {
    std::memset(&g_capture, 0, sizeof g_capture);
    BoxSnapshot s;
    CHECK_NUM(DriveBox(TextCall(kUninstallQuestion, MB_YESNO), PressSecondButton, &s, &CaptureBox), 2);
    REQUIRE(s.seen);
    REQUIRE(g_capture.pixels != nullptr);

    int lineHeight = s.textExtent.cy / 4;
    int left = ::GetSystemMetrics(SM_CXSIZE) + 33;
    int top = (s.buttonTop - s.textExtent.cy) / 2;
    int right = s.client.right;
    int lastWidth = MeasureWith(s.messageFont, "Do you want to continue?").cx;

    InkSpan above = InkIn(left, 0, right, top);
    InkSpan first = InkIn(left, top, right, top + lineHeight);
    InkSpan empty = InkIn(left, top + lineHeight, right, top + 3 * lineHeight);
    InkSpan last = InkIn(left, top + 3 * lineHeight, right, top + 4 * lineHeight);
    InkSpan below = InkIn(left, top + 4 * lineHeight, right, s.buttonTop);
    CHECK_NUM(above.rows, 0);
    CHECK_NUM(empty.rows, 0);
    CHECK_NUM(below.rows, 0);
    // Letters several pixels high, starting at the text's left edge and,
    // for the question, ending where its measured width ends.
    CHECK(first.rows >= 5);
    CHECK(last.rows >= 5);
    CHECK(first.left >= left && first.left <= left + 3);
    CHECK(last.left >= left && last.left <= left + 3);
    CHECK(last.right >= left + lastWidth - 6 && last.right <= left + lastWidth);
    CHECK(first.right <= left + s.textExtent.cx);

    // The system icon at (17, 13).
    int iconSize = ::GetSystemMetrics(SM_CXICON);
    DWORD background = g_capture.pixels[(g_capture.clientOrigin.y + s.client.bottom - 3) * g_capture.width +
                                        g_capture.clientOrigin.x + s.client.right - 3];
    int differing = 0;
    for (int y = 13; y < 13 + iconSize; ++y)
        for (int x = 17; x < 17 + iconSize; ++x) {
            DWORD p = g_capture.pixels[(g_capture.clientOrigin.y + y) * g_capture.width + g_capture.clientOrigin.x + x];
            if (p != background) ++differing;
        }
    CHECK(differing >= iconSize * iconSize / 4);
    ::DeleteObject(g_capture.bitmap);
}
