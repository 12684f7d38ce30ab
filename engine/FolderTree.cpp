#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "engine/FolderTree.h"

namespace {

// The text from `begin` up to `end` as a string of its own in `out`.
void CopyPart(char* out, const char* begin, const char* end) {
    std::memcpy(out, begin, static_cast<size_t>(end - begin));
    out[end - begin] = 0;
}

}  // namespace

void CreateFolderTree(const char* path, bool wholePath) {
    if (!path || std::strlen(path) >= MAX_PATH) return;
    char saved[MAX_PATH] = {0};
    DWORD savedLength = ::GetCurrentDirectoryA(MAX_PATH, saved);
    const bool canRestore = savedLength > 0 && savedLength < MAX_PATH;

    // The drive root first, then each folder name with its backslash,
    // created and entered from the one before it.
    char step[MAX_PATH];
    const char* name = path;
    const char* drive = std::strstr(path, ":\\");
    if (drive > path) {
        name = drive + 2;
        CopyPart(step, path, name);
        ::SetCurrentDirectoryA(step);
    }
    bool sawBackslash = false;
    for (const char* p = name; *p; ++p) {
        if (*p != '\\') continue;
        sawBackslash = true;
        CopyPart(step, name, p + 1);
        ::CreateDirectoryA(step, nullptr);  // an existing folder is fine
        ::SetCurrentDirectoryA(step);
        name = p + 1;
    }
    if (!sawBackslash && wholePath && *name) ::CreateDirectoryA(name, nullptr);

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
