// Windows as they stand on the screen: their pixels copied from the screen,
// and written out as PNG files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct WindowCapture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> bits;  // 0x00RRGGBB, row by row from the top
    COLORREF At(int x, int y) const;
};

// Copies the window's screen rectangle; false if nothing could be copied.
bool CaptureWindow(HWND window, WindowCapture& capture);
// False if the file could not be written, or if the capture is of one colour
// only (a window that was not drawn).
bool SavePng(const WindowCapture& capture, const std::string& path);

// The window is the foreground window, and its caption on the screen has the
// active fill between the title and the close button and a white title.
// `capture` receives the window as checked, once it is painted whole.
void CheckDrawnActive(HWND window, WindowCapture& capture);
