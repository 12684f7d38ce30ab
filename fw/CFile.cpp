#include "fw/CFile.h"

CString AfxGetTempFolder() {
    CString folder;
    DWORD length = ::GetTempPathA(MAX_PATH, folder.GetBufferSetLength(MAX_PATH));
    folder.ReleaseBuffer(length < MAX_PATH ? static_cast<int>(length) : 0);
    return folder;
}

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) {}

CFile::~CFile() { Close(); }

bool CFile::OpenNew(const char* path) {
    Close();
    m_hFile = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool CFile::Write(const void* data, UINT count) {
    if (!IsOpen()) return false;
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        DWORD written = 0;
        if (!::WriteFile(m_hFile, bytes, count, &written, nullptr) || written == 0) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

void CFile::Close() {
    if (IsOpen()) ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}
