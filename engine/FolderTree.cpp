#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "engine/FolderTree.h"
#include "fw/CString.h"

void CreateFolderTree(const char* path, bool wholePath) {
    if (!path || std::strlen(path) >= MAX_PATH) return;
    char saved[MAX_PATH] = {0};
    DWORD savedLength = ::GetCurrentDirectoryA(MAX_PATH, saved);
    const bool canRestore = savedLength > 0 && savedLength < MAX_PATH;

    CString text(path);
    int start = 0;
    int drive = text.Find(":\\");
    if (drive > 0) {
        ::SetCurrentDirectoryA(text.Left(drive + 2));
        start = drive + 2;
    }
    int componentStart = start;
    bool sawBackslash = false;
    for (int i = start; i < text.GetLength(); ++i) {
        if (text.GetAt(i) != '\\') continue;
        sawBackslash = true;
        CString component = text.Mid(componentStart, i + 1 - componentStart);
        ::CreateDirectoryA(component, nullptr);  // an existing folder is fine
        ::SetCurrentDirectoryA(component);
        componentStart = i + 1;
    }
    if (!sawBackslash && wholePath && componentStart < text.GetLength())
        ::CreateDirectoryA(text.Mid(componentStart), nullptr);

    if (canRestore) ::SetCurrentDirectoryA(saved);
}

void DeleteFolderSilently(const char* path) {
    // The source list is the path followed by two NUL bytes.
    char source[MAX_PATH + 1];
    std::memset(source, 0, sizeof source);
    if (!path || std::strlen(path) >= MAX_PATH) return;
    std::strcpy(source, path);
    SHFILEOPSTRUCTA operation;
    std::memset(&operation, 0, sizeof operation);
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source;
    operation.pTo = nullptr;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    ::SHFileOperationA(&operation);
}
