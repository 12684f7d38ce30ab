// The temporary folder, and a file made new for writing. Failures are
// returned, never thrown.
#pragma once

#include <windows.h>

#include "fw/CString.h"

// The account's temporary folder, ending with "\"; empty where the system
// gives none that fits MAX_PATH.
CString AfxGetTempFolder();

class CFile {
public:
    CFile();
    ~CFile();

    // Creates a file for writing that did not exist: fails where anything of
    // that name (a file, a link) is there.
    bool OpenNew(const char* path);
    // Writes every byte or reports failure.
    bool Write(const void* data, UINT count);
    void Close();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
};
