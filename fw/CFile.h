// A file opened for writing. Failures are returned, never thrown.
#pragma once

#include <windows.h>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
    };

    CFile();
    ~CFile();

    bool Open(const char* path, UINT flags);
    // Writes every byte or reports failure.
    bool Write(const void* data, UINT count);
    void Close();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_hFile;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
};
