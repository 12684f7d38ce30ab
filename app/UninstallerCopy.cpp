#include "app/UninstallerCopy.h"

#include <cstdlib>
#include <cstring>

#include "engine/ClosedFolder.h"
#include "fw/CFile.h"
#include "fw/RunLog.h"
#include "state/SetupState.h"

namespace {

// Not a folder anyone would name: what the copy is started with.
const char kCopySwitch[] = "-finish-uninstall";

// The copy is created closed: the same user without elevation could
// otherwise change it before it runs elevated.
bool WriteCopy(const char* from, const char* to) {
    HANDLE source = ::CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (source == INVALID_HANDLE_VALUE) return false;
    HANDLE copy = ::CreateFileA(to, GENERIC_WRITE, 0, ClosedFolderAttributes(), CREATE_NEW, 0, nullptr);
    bool written = copy != INVALID_HANDLE_VALUE;
    char buffer[1024];
    DWORD read = 0, wrote = 0;
    while (written && ::ReadFile(source, buffer, sizeof buffer, &read, nullptr) && read > 0)
        written = ::WriteFile(copy, buffer, read, &wrote, nullptr) && wrote == read;
    ::CloseHandle(source);
    if (copy != INVALID_HANDLE_VALUE) ::CloseHandle(copy);
    if (!written) ::DeleteFileA(to);
    return written;
}

}  // namespace

bool StartUninstallerCopy(const SetupState& s, const CString& program) {
    CString temporary = AfxGetTempFolder();
    if (temporary.IsEmpty() || program.IsEmpty()) return false;
    CString copy;
    copy.Format("%sQuillfen Uninstall %lu.exe", static_cast<const char*>(temporary), ::GetCurrentProcessId());
    if (!WriteCopy(program, copy)) return false;

    // Inherited by the copy: this process, to wait for, and the copy's own
    // file, deleted when the copy ends and closes it.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE file = ::CreateFileA(copy, DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited, OPEN_EXISTING,
                                FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    HANDLE process = nullptr, log = nullptr;
    bool started = false;
    if (RunLogFile())
        ::DuplicateHandle(::GetCurrentProcess(), RunLogFile(), ::GetCurrentProcess(), &log, 0, TRUE,
                          DUPLICATE_SAME_ACCESS);
    if (file != INVALID_HANDLE_VALUE &&
        ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &process,
                          SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, 0)) {
        CString line;
        line.Format("\"%s\" %s %lu %lu %s", static_cast<const char*>(copy), kCopySwitch, HandleToULong(process),
                    HandleToULong(log), static_cast<const char*>(s.installFolder));
        RunLog("Its own file goes once it has ended, by %s", static_cast<const char*>(copy));
        STARTUPINFOA startup;
        std::memset(&startup, 0, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info;
        started = ::CreateProcessA(copy, line.GetBufferSetLength(line.GetLength()), nullptr, nullptr, TRUE, 0,
                                   nullptr, nullptr, &startup, &info) != 0;
        if (started) {
            ::CloseHandle(info.hThread);
            ::CloseHandle(info.hProcess);
        }
        ::CloseHandle(process);
    }
    if (log) ::CloseHandle(log);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);  // the copy's file goes now if it did not start
    else
        ::DeleteFileA(copy);
    return started;
}

bool IsUninstallerCopy(const char* commandLine, HANDLE& uninstaller, HANDLE& log, CString& installFolder) {
    size_t switchLength = sizeof kCopySwitch - 1;
    if (std::strncmp(commandLine, kCopySwitch, switchLength) != 0 || commandLine[switchLength] != ' ') return false;
    char* end = nullptr;
    uninstaller = ULongToHandle(std::strtoul(commandLine + switchLength + 1, &end, 10));
    if (*end != ' ') return false;
    log = ULongToHandle(std::strtoul(end + 1, &end, 10));
    if (*end != ' ') return false;
    installFolder = end + 1;
    // Only a handle to a process will do, the one the uninstaller handed on.
    DWORD code = 0;
    return ::GetExitCodeProcess(uninstaller, &code) != 0;
}
