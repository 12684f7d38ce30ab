#include <windows.h>
#include <lzexpand.h>

#include <cstdio>

#include "app/SetupState.h"
#include "engine/Extraction.h"
#include "engine/FolderTree.h"
#include "engine/PathMap.h"
#include "fw/CFile.h"
#include "payload/PayloadResource.h"

namespace {

bool FitsPath(const CString& path) { return path.GetLength() < MAX_PATH; }

// Expands an SZDD file, or copies any other file unchanged.
bool ExpandFile(const char* source, const char* destination) {
    OFSTRUCT sourceInfo;
    OFSTRUCT destinationInfo;
    INT from = ::LZOpenFileA(const_cast<char*>(source), &sourceInfo, OF_READ);
    if (from < 0) return false;
    INT to = ::LZOpenFileA(const_cast<char*>(destination), &destinationInfo, OF_CREATE);
    if (to < 0) {
        ::LZClose(from);
        return false;
    }
    LONG copied = ::LZCopy(from, to);
    ::LZClose(from);
    ::LZClose(to);
    return copied >= 0;
}

}  // namespace

void ExtractionRun::Begin() {
    m_root = setupState.installFolder + "\\";
    CreateFolderTree(m_root, true);
    m_temporaryFolder = m_root + "install\\";
    ::SetCurrentDirectoryA(m_root);
    setupState.installedCount = 0;
}

ExtractionRun::EntryResult ExtractionRun::InstallEntry(int index) {
    if (index < 0 || index >= MAX_MANIFEST_ENTRIES) return ENTRY_MISSING;
    CString entryName = MapManifestPath(setupState.fileNames[index], setupState.distributionTag);
    m_temporaryFile = m_temporaryFolder + entryName;
    CString destination = m_root + entryName;
    if (!FitsPath(m_temporaryFile) || !FitsPath(destination)) return ENTRY_TOO_LONG;

    CreateFolderTree(m_temporaryFile, false);
    CreateFolderTree(entryName, false);

    PayloadBytes payload;
    if (!LoadPayloadResource(index, payload)) return ENTRY_MISSING;
    int size = setupState.fileSizes[index];
    // A listed size the resource does not hold is never read.
    if (size < 0 || static_cast<size_t>(size) > payload.size) return ENTRY_MISSING;

    CFile temporary;
    bool written = temporary.Open(m_temporaryFile, CFile::modeCreate | CFile::modeWrite) &&
                   temporary.Write(payload.data, static_cast<UINT>(size));
    temporary.Close();
    if (!written) {
        std::remove(m_temporaryFile);
        return ENTRY_WRITE_FAILED;
    }

    bool expanded = ExpandFile(m_temporaryFile, destination);
    std::remove(m_temporaryFile);
    if (!expanded) return ENTRY_EXPAND_FAILED;
    ++setupState.installedCount;
    return ENTRY_INSTALLED;
}

void ExtractionRun::End() {
    DeleteFolderSilently(m_temporaryFolder + "skin");
    DeleteFolderSilently(m_temporaryFolder.Left(m_temporaryFolder.GetLength() - 1));
}
