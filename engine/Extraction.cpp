#include <windows.h>

#include <cstdio>

#include "engine/ClosedFolder.h"
#include "engine/Extraction.h"
#include "engine/FolderTree.h"
#include "fw/CFile.h"
#include "fw/RunLog.h"
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

// LZ32 opens its files through a structure that holds 127 characters of
// path: the temporary files it is given are named short for that, whatever
// the entry's own path.
bool FitsLz32(const CString& path) { return path.GetLength() < OFS_MAXPATHNAME; }

}  // namespace

ExtractionRun::ExtractionRun(SetupState& state)
    : m_state(state),
      m_createdRoot(0),
      m_nextAside(0),
      m_temporaryFolderIsNew(false),
      m_unsafe(false),
      m_lz32(nullptr),
      m_lzOpen(nullptr),
      m_lzCopy(nullptr),
      m_lzClose(nullptr) {
    for (HANDLE& pin : m_folderPins) pin = INVALID_HANDLE_VALUE;
}

ExtractionRun::~ExtractionRun() {
    ReleaseFolderPins();
    if (m_lz32) ::FreeLibrary(m_lz32);
}

CString ExtractionRun::Relative(const CString& belowInstallFolder) const {
    return JoinPath(m_state.productKey, belowInstallFolder);
}

// Expands an SZDD file, or copies any other file unchanged. Returns the
// bytes written: LZ32 counts them, and reports a write that fell short (a
// full disk) as an error.
LONG ExtractionRun::ExpandFile(const char* source, const char* destination) {
    if (!m_lzOpen) return -1;
    OFSTRUCT sourceInfo;
    OFSTRUCT destinationInfo;
    INT from = m_lzOpen(const_cast<char*>(source), &sourceInfo, OF_READ);
    if (from < 0) return -1;
    INT to = m_lzOpen(const_cast<char*>(destination), &destinationInfo, OF_CREATE);
    LONG copied = to < 0 ? -1 : m_lzCopy(from, to);
    m_lzClose(from);
    if (to >= 0) m_lzClose(to);
    return copied;
}

// A missing one is no link; the first entry then fails to be written.
bool ExtractionRun::TemporaryFolderIsUnsafe(HANDLE* pin) {
    return m_check.Place(Relative(INSTALL_TEMPORARY_FOLDER), true, pin) == PLACE_ELSEWHERE;
}

// Whether `name` is free in the temporary folder: what has it (left by a
// killed run, or a hard link to someone's file) goes first and is never
// opened; what cannot go (held open by another program, or a link) keeps
// the name.
bool ExtractionRun::FreeTemporaryName(const CString& name) {
    if (m_temporaryFolderIsNew) return true;  // closed, and made by this run
    CString path = m_temporaryFolder + name;
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
    if (m_check.Place(Relative(JoinPath(INSTALL_TEMPORARY_FOLDER, name)), false) == PLACE_INSIDE) {
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path);
    }
    return ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// Names in the temporary folder: "ready 3", "replaced 12". The blank keeps
// them apart from any payload path.
CString ExtractionRun::TemporaryName(const char* kind, int number) {
    CString name;
    name.Format("%s %d", kind, number);
    return name;
}

CString ExtractionRun::EntryName(int index) const {
    if (index == m_state.fileCount) return INSTALL_TAG_FILE;
    return MapManifestPath(m_state.fileNames[index], m_state.distributionTag);
}

// Creates a folder of the product key closed, or finds it and closes it;
// either way it is held open for the run.
bool ExtractionRun::OpenClosedFolder(const CString& relative, HANDLE& pin) {
    CString path = m_check.Base() + relative;
    if (::CreateDirectoryA(path, ClosedFolderAttributes()) && m_createdRoot == 0) m_createdRoot = path.GetLength();
    if (m_check.Place(relative, true, &pin, FILE_READ_ATTRIBUTES | READ_CONTROL | WRITE_DAC | WRITE_OWNER) !=
        PLACE_INSIDE) {
        RunLogLink(path);
        return false;
    }
    DWORD error = CloseFolder(pin);
    if (error != ERROR_SUCCESS) RunLogErrorCode(path, "cannot be closed", error);
    return error == ERROR_SUCCESS;
}

// The product key's folders one below the other, each closed before the next
// is made in it; then the temporary folder, which inherits their security.
// Only once they are closed is anything below them looked at: from then on
// no one but an administrator could put a link there.
bool ExtractionRun::OpenProductFolders() {
    const CString& product = m_state.productKey;
    int pin = 0;
    for (int end = 1; end <= product.GetLength(); ++end) {
        if (end < product.GetLength() && product.GetAt(end) != '\\') continue;
        if (pin == kFolderPins - 1 || !OpenClosedFolder(product.Left(end), m_folderPins[pin++])) return false;
    }
    // A temporary folder that is missing here cannot be written either; the
    // first entry then fails as any unwritable one does.
    m_temporaryFolderIsNew = ::CreateDirectoryA(m_temporaryFolder, nullptr) != 0;
    if (!TemporaryFolderIsUnsafe(&m_folderPins[pin])) return true;
    RunLogLink(m_temporaryFolder);
    return false;
}

void ExtractionRun::Begin() {
    const SetupState& s = m_state;
    m_root = s.installFolder + "\\";
    m_temporaryFolder = m_root + INSTALL_TEMPORARY_FOLDER + "\\";
    m_temporaryFile = m_temporaryFolder + kStoredFileName;
    m_state.installedCount = 0;

    // The base, the folder the product key's folders go below, is the
    // user's choice and stays as it is; the product's own folders are the
    // run's.
    CString baseFolder;
    m_unsafe = !BaseOfProduct(s.installFolder, s.productKey, baseFolder);
    if (!m_unsafe) {
        m_createdRoot = CreateFolderTree(baseFolder, false);
        m_check = PathCheck(baseFolder);
        m_unsafe = !OpenProductFolders();
    }
    ::SetCurrentDirectoryA(m_root);

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
    CString ready = ReadyFile(index);
    if (!FitsLz32(m_temporaryFile) || !FitsLz32(ready) || PlacedFile(index).GetLength() >= MAX_PATH) {
        RunLog("%s: too long", static_cast<const char*>(PlacedFile(index)));
        return ENTRY_TOO_LONG;
    }
    EntryResult result = WriteAndExpand(index, ready);
    if (result == ENTRY_INSTALLED) ++m_state.installedCount;
    return result;
}

// The temporary files are always new.
ExtractionRun::EntryResult ExtractionRun::WriteAndExpand(int index, const CString& destination) {
    CString name = EntryName(index);
    PayloadBytes payload;
    int size = m_state.fileSizes[index];
    // A listed size the resource does not hold is never read.
    if (!LoadPayloadResource(index, payload) || size < 0 || static_cast<size_t>(size) > payload.size) {
        RunLog("%s: missing", static_cast<const char*>(name));
        return ENTRY_MISSING;
    }

    CFile temporary;
    bool written = FreeTemporaryName(kStoredFileName) && temporary.OpenNew(m_temporaryFile) &&
                   temporary.Write(payload.data, static_cast<UINT>(size));
    temporary.Close();
    if (!written) {
        RunLogError(m_temporaryFile, "cannot write");
        std::remove(m_temporaryFile);
        return ENTRY_WRITE_FAILED;
    }

    // A short file is not ready.
    LONG length = FreeTemporaryName(ReadyName(index)) ? ExpandFile(m_temporaryFile, destination) : -1;
    uint32_t expandedLength = ExpandedLength(payload.data, static_cast<size_t>(size));
    bool expanded = length >= 0 && static_cast<uint32_t>(length) == expandedLength;
    RunLog("%s: %d bytes %s, %lu expanded: %s", static_cast<const char*>(name), size,
           IsSzdd(payload.data, static_cast<size_t>(size)) ? "SZDD" : "plain",
           static_cast<unsigned long>(expandedLength), expanded ? "ready" : "not expanded");
    std::remove(m_temporaryFile);
    return expanded ? ENTRY_INSTALLED : ENTRY_EXPAND_FAILED;
}

void ExtractionRun::ReleaseFolderPins() {
    for (HANDLE& pin : m_folderPins) {
        if (pin != INVALID_HANDLE_VALUE) ::CloseHandle(pin);
        pin = INVALID_HANDLE_VALUE;
    }
}

void ExtractionRun::End() {
    // Checked again, still held: the moves go through it.
    if (!m_unsafe && TemporaryFolderIsUnsafe(nullptr)) m_unsafe = true;
    bool ready = !m_unsafe && m_state.installedCount == m_state.fileCount && WriteTag() && PlaceAllEntries();
    ReleaseFolderPins();
    if (!ready) m_state.installedCount = 0;
    // Nothing is removed through a link.
    if (!m_unsafe) m_check.DeleteFolder(Relative(INSTALL_TEMPORARY_FOLDER));
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
