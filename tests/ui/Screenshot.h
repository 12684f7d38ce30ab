// Screenshots of a window as it stands on the screen.
#pragma once

#include <windows.h>

#include <string>

// Copies the window's screen rectangle and writes it as a 24-bit BMP file.
// False if nothing could be captured or written, or if the capture is of one
// colour only (a window that was not drawn).
bool SaveWindowScreenshot(HWND window, const std::string& bmpPath);
