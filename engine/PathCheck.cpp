#include "engine/PathCheck.h"

#include <cstring>

#include "fw/RunLog.h"
#include "fw/SystemLibrary.h"
#include "payload/PathMap.h"

namespace {

typedef DWORD(WINAPI* GetFinalPathFn)(HANDLE, LPSTR, DWORD, DWORD);

const DWORD kNameBuffer = 2 * MAX_PATH;

// Looked up once: systems before Vista do not have it, and then the
// attributes alone tell links apart.
GetFinalPathFn FinalPathFunction() {
    static GetFinalPathFn function =
        (GetFinalPathFn)(void*)::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "GetFinalPathNameByHandleA");
    return function;
}

// The path the system resolves `handle` to, without a trailing backslash;
// empty when unknown.
CString FinalPath(HANDLE handle) {
    CString path;
    char* name = path.GetBufferSetLength(kNameBuffer);
    DWORD length = FinalPathFunction()(handle, name, kNameBuffer, 0);
    if (length == 0 || length >= kNameBuffer)
        length = 0;
    else if (name[length - 1] == '\\')
        --length;
    path.ReleaseBuffer(static_cast<int>(length));
    return path;
}

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

}  // namespace

PathCheck::PathCheck(const CString& base) : m_base(base) {
    if (!FinalPathFunction()) return;
    HANDLE handle = ::CreateFileA(base, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;  // then nothing below it counts as inside
    m_baseFinal = FinalPath(handle);
    ::CloseHandle(handle);
}

PathPlace PathCheck::Place(const CString& relative, bool folder, HANDLE* pin, DWORD access) const {
    if (pin) *pin = INVALID_HANDLE_VALUE;
    // The link itself is opened, not what it leads to; a folder needs backup
    // semantics. Without delete sharing the handle pins what it opened.
    HANDLE handle = ::CreateFileA(m_base + relative, access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | (pin ? 0 : FILE_SHARE_DELETE), nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return PLACE_MISSING;
        // Systems that open no folders (the 9x family) have no links either.
        return folder && AfxIsWindows9x() ? PLACE_INSIDE : PLACE_ELSEWHERE;
    }
    BY_HANDLE_FILE_INFORMATION info;
    DWORD attributes = ::GetFileInformationByHandle(handle, &info) ? info.dwFileAttributes : FILE_ATTRIBUTE_REPARSE_POINT;
    // Where the system resolves it, against where it would be as a plain
    // child of the base: this also catches links along the way, and links
    // the system does not mark as such.
    bool inside = !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                  ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder &&
                  (!FinalPathFunction() || ::lstrcmpiA(FinalPath(handle), JoinPath(m_baseFinal, relative)) == 0);
    if (inside && pin)
        *pin = handle;
    else
        ::CloseHandle(handle);
    return inside ? PLACE_INSIDE : PLACE_ELSEWHERE;
}

bool PathCheck::DeleteFolder(const CString& relative) const {
    if (Place(relative, true) != PLACE_INSIDE) return false;
    CString folder = m_base + relative;
    bool all = true;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(folder + "\\*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDots(found.cFileName)) continue;
            CString child = JoinPath(relative, found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                all = DeleteFolder(child) && all;
                continue;
            }
            CString file = m_base + child;
            bool plain = Place(child, false) == PLACE_INSIDE;
            if (plain) {
                ::SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(file);
            }
            // A link stays, and so does a file another program holds open
            // (with delete sharing, its name stays until the hold ends).
            if (::GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) continue;
            all = false;
            if (!plain) {
                RunLogLink(file);
                continue;
            }
            RunLog("%s: held open, goes at restart", static_cast<const char*>(file));
            DeleteAtRestart(file);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    if (::RemoveDirectoryA(folder)) return all;
    DeleteAtRestart(folder);
    return false;
}

bool DeleteAtRestart(const char* path) { return ::MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0; }
