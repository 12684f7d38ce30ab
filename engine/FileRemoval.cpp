#include "engine/FileRemoval.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "engine/InstallRecord.h"
#include "engine/PathCheck.h"
#include "fw/RunLog.h"
#include "payload/Crc32.h"
#include "payload/InstallNames.h"
#include "payload/PathMap.h"
#include "state/SetupState.h"

namespace {

const DWORD kReadChunk = 64 * 1024;

// Whether the file holds exactly what the setup placed there.
bool IsAsInstalled(const char* path, const InstalledFile& file) {
    HANDLE handle = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(kReadChunk));
    bool same = buffer && ::GetFileSize(handle, &high) == file.size && high == 0;
    uint32_t crc = 0;
    DWORD total = 0, read = 0;
    while (same && ::ReadFile(handle, buffer, kReadChunk, &read, nullptr) && read > 0) {
        crc = Crc32(buffer, read, crc);
        total += read;
    }
    std::free(buffer);
    ::CloseHandle(handle);
    return same && total == file.size && crc == file.crc;
}

// The removal below one installation folder; paths are relative to the base
// the product key's folders lie below.
class Removal {
public:
    explicit Removal(const CString& base) : m_check(base), m_restartPending(false) {}

    const PathCheck& Check() const { return m_check; }
    bool RestartPending() const { return m_restartPending; }

    void Delete(const CString& relative);
    void DeleteAtRestart(const CString& relative);
    void RemoveEmptyFolders(const CString& relative);

private:
    void FoldersAtRestart(const CString& relative);

    PathCheck m_check;
    bool m_restartPending;
    CString m_lastKept;  // the folder last said to stay
};

// A file another program holds open with delete sharing goes when the hold
// ends. One it holds without (a running program's image, say) is moved out
// of its place first, so that an installation made there before the restart
// keeps its own file, and goes at the restart. The folders that stay for
// either go at the restart too, if they are empty by then.
void Removal::Delete(const CString& relative) {
    CString path = m_check.Base() + relative;
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileA(path)) {
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
            RunLog("Removed %s", static_cast<const char*>(path));
            return;
        }
        RunLog("%s: held open by another program: goes when the hold ends, its folders at the next restart",
               static_cast<const char*>(path));
        FoldersAtRestart(relative);
        return;
    }
    RunLogError(path, "cannot be deleted now: goes at the next restart");
    CString aside = relative + ".delete-at-restart";
    DeleteAtRestart(::MoveFileExA(path, m_check.Base() + aside, 0) ? aside : relative);
}

void Removal::DeleteAtRestart(const CString& relative) {
    ::DeleteAtRestart(m_check.Base() + relative);
    FoldersAtRestart(relative);
}

// The folders above it, deepest first, if they are empty by then.
void Removal::FoldersAtRestart(const CString& relative) {
    m_restartPending = true;
    for (CString folder = FolderOf(relative); !folder.IsEmpty(); folder = FolderOf(folder))
        ::DeleteAtRestart(m_check.Base() + folder);
}

// From the file's folder up to and including the product folder, each while
// it is empty and a plain folder; never the base.
void Removal::RemoveEmptyFolders(const CString& relative) {
    for (CString folder = FolderOf(relative); !folder.IsEmpty(); folder = FolderOf(folder)) {
        CString path = m_check.Base() + folder;
        if (m_check.Place(folder, true) != PLACE_INSIDE) return;
        if (!::RemoveDirectoryA(path)) {
            if (path != m_lastKept) RunLog("Kept the folder %s: not empty", static_cast<const char*>(path));
            m_lastKept = path;
            return;
        }
        RunLog("Removed the folder %s", static_cast<const char*>(path));
    }
}

// Calls `step` with each line of the record that is one, and its path below
// the base.
template <typename Step>
void ForEachRecordedFile(const SetupState& s, const CString& record, Step step) {
    for (const char* line = record; *line;) {
        const char* end = std::strchr(line, '\n');
        if (!end) break;
        InstalledFile file;
        if (ParseInstallRecordLine(CString(line, static_cast<int>(end - line)), file))
            step(file, JoinPath(s.productKey, file.path));
        line = end + 1;
    }
}

}  // namespace

FileRemoval RemoveInstalledFiles(const SetupState& s, const CString& record) {
    FileRemoval result;
    CString base;
    if (!BaseOfProduct(s.installFolder, s.productKey, base)) return result;
    Removal removal(base);
    ForEachRecordedFile(s, record, [&](const InstalledFile& file, const CString& relative) {
        // Gone already, a link, or changed since: it stays.
        CString path = base + relative;
        PathPlace place = removal.Check().Place(relative, false);
        if (place != PLACE_INSIDE || !IsAsInstalled(path, file)) {
            if (place != PLACE_MISSING)
                RunLog("Kept %s: %s", static_cast<const char*>(path),
                       place == PLACE_INSIDE ? "changed since it was installed" : "a link, or not a file at its place");
            return;
        }
        if (::lstrcmpiA(file.path, INSTALL_UNINSTALLER) == 0)
            result.removeUninstaller = true;
        else
            removal.Delete(relative);
    });
    ForEachRecordedFile(s, record, [&](const InstalledFile&, const CString& relative) {
        removal.RemoveEmptyFolders(relative);
    });
    result.restartPending = removal.RestartPending();
    return result;
}

bool RemoveUninstallerFile(const SetupState& s, bool atRestart) {
    CString base;
    if (!BaseOfProduct(s.installFolder, s.productKey, base)) return true;
    Removal removal(base);
    CString relative = JoinPath(s.productKey, INSTALL_UNINSTALLER);
    if (atRestart)
        removal.DeleteAtRestart(relative);
    else if (removal.Check().Place(relative, false) == PLACE_INSIDE)
        removal.Delete(relative);
    removal.RemoveEmptyFolders(relative);
    return !removal.RestartPending();
}
