#include <windows.h>

#include <cstdio>

#include "engine/Extraction.h"
#include "engine/ExtractionFolders.h"
#include "engine/FolderTree.h"
#include "fw/CFile.h"
#include "fw/SystemLibrary.h"
#include "payload/ExpandedLength.h"
#include "payload/InstallNames.h"
#include "payload/PathMap.h"
#include "payload/PayloadResource.h"
#include "state/SetupState.h"

namespace {

// The stored bytes of each entry in turn, at the top of the temporary folder.
// The blank keeps it apart from every entry: the manifest's paths have none.
const char kStoredFileName[] = "stored payload";

bool FitsPath(const CString& path) { return path.GetLength() < MAX_PATH; }

// A file (not a folder) of exactly `length` bytes.
bool IsFileOfLength(const char* path, uint32_t length) {
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    DWORD low = ::GetFileSize(file, &high);
    ::CloseHandle(file);
    return high == 0 && low == length;
}

// The folder part of a relative entry name: "skin" for "skin\a.dll".
CString FolderPart(const CString& entryName) {
    int cut = entryName.ReverseFind('\\');
    return entryName.Left(cut > 0 ? cut : 0);
}

}  // namespace

ExtractionRun::ExtractionRun(SetupState& state)
    : m_state(state),
      m_createdRoot(0),
      m_temporaryFolderPin(INVALID_HANDLE_VALUE),
      m_subfolderPin(INVALID_HANDLE_VALUE),
      m_unsafe(false),
      m_lz32(nullptr),
      m_lzOpen(nullptr),
      m_lzCopy(nullptr),
      m_lzClose(nullptr) {}

ExtractionRun::~ExtractionRun() {
    ReleaseSubfolderPin();
    if (m_temporaryFolderPin != INVALID_HANDLE_VALUE) ::CloseHandle(m_temporaryFolderPin);
    if (m_lz32) ::FreeLibrary(m_lz32);
}

// Expands an SZDD file, or copies any other file unchanged.
bool ExtractionRun::ExpandFile(const char* source, const char* destination) {
    if (!m_lzOpen) return false;
    OFSTRUCT sourceInfo;
    OFSTRUCT destinationInfo;
    INT from = m_lzOpen(const_cast<char*>(source), &sourceInfo, OF_READ);
    if (from < 0) return false;
    INT to = m_lzOpen(const_cast<char*>(destination), &destinationInfo, OF_CREATE);
    if (to < 0) {
        m_lzClose(from);
        return false;
    }
    LONG copied = m_lzCopy(from, to);
    m_lzClose(from);
    m_lzClose(to);
    return copied >= 0;
}

bool ExtractionRun::TemporaryFolderIsUnsafe(HANDLE* pin) {
    return PlaceOfFolder(m_root, INSTALL_TEMPORARY_FOLDER, pin) == FOLDER_ELSEWHERE ||
           HoldsLinks(m_root + INSTALL_TEMPORARY_FOLDER);
}

CString ExtractionRun::EntryName(int index) const {
    return MapManifestPath(m_state.fileNames[index], m_state.distributionTag);
}

void ExtractionRun::Begin() {
    m_root = m_state.installFolder + "\\";
    m_createdRoot = CreateFolderTree(m_root, true);
    m_temporaryFolder = m_root + INSTALL_TEMPORARY_FOLDER + "\\";
    m_temporaryFile = m_temporaryFolder + kStoredFileName;
    ::SetCurrentDirectoryA(m_root);
    m_state.installedCount = 0;

    // A temporary folder that is missing here cannot be written either; the
    // first entry then fails as any unwritable one does.
    ::CreateDirectoryA(m_temporaryFolder, nullptr);
    m_unsafe = TemporaryFolderIsUnsafe(&m_temporaryFolderPin);

    // All three or none: ExpandFile needs only test the first.
    static const char* const kLzNames[] = {"LZOpenFileA", "LZCopy", "LZClose"};
    FARPROC lz[3];
    m_lz32 = AfxLoadSystemLibraryUsingFullPath("LZ32.DLL");
    if (m_lz32 && AfxGetProcAddresses(m_lz32, kLzNames, lz, 3)) {
        m_lzOpen = (LzOpenFn)(void*)lz[0];
        m_lzCopy = (LzCopyFn)(void*)lz[1];
        m_lzClose = (LzCloseFn)(void*)lz[2];
    }
}

ExtractionRun::EntryResult ExtractionRun::InstallEntry(int index) {
    if (m_unsafe) return ENTRY_UNSAFE_FOLDER;
    if (index < 0 || index >= MAX_MANIFEST_ENTRIES) return ENTRY_MISSING;
    CString entryName = EntryName(index);
    CString ready = ReadyFile(index);
    if (!FitsPath(m_temporaryFile) || !FitsPath(ready) || !FitsPath(PlacedFile(index))) return ENTRY_TOO_LONG;

    CreateFolderTree(ready, false);

    // The entry's own subfolder below "install" is checked and held too,
    // once for all the entries in it that follow one another: the check
    // costs more than a small file's extraction.
    CString subfolder = FolderPart(entryName);
    if (subfolder != m_pinnedSubfolder || m_subfolderPin == INVALID_HANDLE_VALUE) {
        ReleaseSubfolderPin();
        if (!subfolder.IsEmpty() &&
            PlaceOfFolder(m_temporaryFolder, subfolder, &m_subfolderPin) == FOLDER_ELSEWHERE) {
            m_unsafe = true;
            return ENTRY_UNSAFE_FOLDER;
        }
        m_pinnedSubfolder = subfolder;
    }
    EntryResult result = WriteAndExpand(index, ready);
    if (result == ENTRY_INSTALLED) ++m_state.installedCount;
    return result;
}

ExtractionRun::EntryResult ExtractionRun::WriteAndExpand(int index, const CString& destination) {
    PayloadBytes payload;
    if (!LoadPayloadResource(index, payload)) return ENTRY_MISSING;
    int size = m_state.fileSizes[index];
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

    // A short or missing file (a full disk, say) is not ready.
    bool expanded = ExpandFile(m_temporaryFile, destination) &&
                    IsFileOfLength(destination, ExpandedLength(payload.data, static_cast<size_t>(size)));
    std::remove(m_temporaryFile);
    return expanded ? ENTRY_INSTALLED : ENTRY_EXPAND_FAILED;
}

void ExtractionRun::ReleaseSubfolderPin() {
    if (m_subfolderPin != INVALID_HANDLE_VALUE) ::CloseHandle(m_subfolderPin);
    m_subfolderPin = INVALID_HANDLE_VALUE;
    m_pinnedSubfolder = CString();
}

void ExtractionRun::End() {
    ReleaseSubfolderPin();
    // Checked again, still held: the moves go through it.
    if (!m_unsafe && TemporaryFolderIsUnsafe(nullptr)) m_unsafe = true;
    bool ready = !m_unsafe && m_state.installedCount == m_state.fileCount;
    if (ready && !PlaceAllEntries()) ready = false;
    if (m_temporaryFolderPin != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_temporaryFolderPin);
        m_temporaryFolderPin = INVALID_HANDLE_VALUE;
    }
    if (!ready) m_state.installedCount = 0;
    // Nothing is removed through a link.
    if (!m_unsafe) {
        DeleteFolderSilently(m_temporaryFolder + "skin");
        DeleteFolderSilently(m_temporaryFolder.Left(m_temporaryFolder.GetLength() - 1));
    }
    if (!ready) {
        // A folder that is the current directory cannot be removed.
        ::SetCurrentDirectoryA(m_state.setupFolder);
        RemoveCreatedFolders(m_root, m_createdRoot);
    }
}

void ExtractAllEntries(SetupState& state) {
    ExtractionRun run(state);
    run.Begin();
    for (int i = 0; i < state.fileCount; ++i)
        if (run.InstallEntry(i) != ExtractionRun::ENTRY_INSTALLED) break;
    run.End();
}
