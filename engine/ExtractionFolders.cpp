#include "engine/ExtractionFolders.h"

#include <cstring>

#include "payload/PathMap.h"

namespace {

typedef DWORD(WINAPI* GetFinalPathFn)(HANDLE, LPSTR, DWORD, DWORD);

const DWORD kNameBuffer = 2 * MAX_PATH;

bool IsPlainFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The link itself is opened, not what it leads to; a handle on a folder
// needs backup semantics. Without delete sharing it pins the folder.
HANDLE OpenFolder(const char* path) {
    return ::CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// The path the system resolves `handle` to, without a trailing backslash;
// empty when unknown.
CString FinalPath(GetFinalPathFn finalPath, HANDLE handle) {
    CString path;
    char* name = path.GetBufferSetLength(kNameBuffer);
    DWORD length = finalPath(handle, name, kNameBuffer, 0);
    if (length == 0 || length >= kNameBuffer) length = 0;
    else if (name[length - 1] == '\\') --length;
    path.ReleaseBuffer(static_cast<int>(length));
    return path;
}

// Where the system resolves `folder` (held by `handle`) compared with where
// it would be as a plain child of `root`: this also catches links along the
// way, and links the system does not mark as such. Where the system cannot
// tell (no such call before Vista, a file system that gives no final path),
// the attribute checks stand alone.
bool ResolvesInside(HANDLE handle, const CString& root, const CString& relative) {
    GetFinalPathFn finalPath =
        (GetFinalPathFn)(void*)::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "GetFinalPathNameByHandleA");
    if (!finalPath) return true;
    HANDLE rootHandle = ::CreateFileA(root, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (rootHandle == INVALID_HANDLE_VALUE) return true;
    CString rootPath = FinalPath(finalPath, rootHandle);
    ::CloseHandle(rootHandle);
    CString path = FinalPath(finalPath, handle);
    if (rootPath.IsEmpty() || path.IsEmpty()) return true;
    return ::lstrcmpiA(path, JoinPath(rootPath, relative)) == 0;
}

}  // namespace

FolderPlace PlaceOfFolder(const CString& root, const CString& relative, HANDLE* pin) {
    if (pin) *pin = INVALID_HANDLE_VALUE;
    // Every step below the root must be a plain folder; the root itself is
    // the user's choice and may be anything.
    for (int i = 1; i <= relative.GetLength(); ++i) {
        if (i < relative.GetLength() && relative.GetAt(i) != '\\') continue;
        DWORD attributes = ::GetFileAttributesA(root + relative.Left(i));
        if (attributes == INVALID_FILE_ATTRIBUTES) return FOLDER_MISSING;
        if (!IsPlainFolder(attributes)) return FOLDER_ELSEWHERE;
    }
    HANDLE folder = OpenFolder(root + relative);
    // Systems that open no folders (the 9x family) have no links either.
    if (folder == INVALID_HANDLE_VALUE) return ::GetVersion() & 0x80000000 ? FOLDER_INSIDE : FOLDER_ELSEWHERE;
    BY_HANDLE_FILE_INFORMATION info;
    bool inside = ::GetFileInformationByHandle(folder, &info) && IsPlainFolder(info.dwFileAttributes) &&
                  ResolvesInside(folder, root, relative);
    if (inside && pin)
        *pin = folder;
    else
        ::CloseHandle(folder);
    return inside ? FOLDER_INSIDE : FOLDER_ELSEWHERE;
}

bool HoldsLinks(const CString& folder) {
    if (folder.GetLength() + 3 >= MAX_PATH) return true;  // too deep to look through
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(folder + "\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool links = false;
    do {
        const char* name = found.cFileName;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            links = true;
        else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            links = HoldsLinks(JoinPath(folder, name));
    } while (!links && ::FindNextFileA(search, &found));
    ::FindClose(search);
    return links;
}
