#include "fw/RunLog.h"

#include <cstdarg>

#include "fw/CFile.h"

namespace {

// Null while there is none: a zero start value takes no room in the file.
HANDLE g_log = nullptr;

}  // namespace

void OpenRunLog() {
    CString folder = AfxGetTempFolder();
    if (folder.IsEmpty()) return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    for (int number = 1; number <= 999; ++number) {
        CString path;
        path.Format("%sQuillfen Setup %04u-%02u-%02u #%03d.log", static_cast<const char*>(folder), now.wYear, now.wMonth, now.wDay, number);
        HANDLE log = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            g_log = log;
            return;
        }
        // Taken: a log of another run, a link someone planted, a folder.
        DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return;
    }
}

HANDLE RunLogFile() { return g_log; }

void ContinueRunLog(HANDLE file) { g_log = file; }

void RunLog(const char* format, ...) {
    if (!g_log) return;
    DWORD error = ::GetLastError();
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString text, line;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    line.Format("%02u:%02u:%02u.%03u %s\r\n", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                static_cast<const char*>(text));
    DWORD written = 0;
    ::WriteFile(g_log, static_cast<const char*>(line), static_cast<DWORD>(line.GetLength()), &written, nullptr);
    ::SetLastError(error);
}

void RunLogLink(const char* path) { RunLog("%s: a link or leads elsewhere", path); }

void RunLogError(const char* what, const char* step) { RunLogErrorCode(what, step, ::GetLastError()); }

void RunLogErrorCode(const char* what, const char* step, DWORD error) {
    char text[256];
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                    text, sizeof text, nullptr);
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= ' ') --length;
    text[length] = 0;
    RunLog("%s: %s: error %lu: %s", what, step, error, text);
}
