// The last step of a complete extraction run: every ready file is moved from
// the temporary folder into place, a rename on the same volume.
#include <windows.h>

#include "engine/Extraction.h"
#include "engine/FolderTree.h"
#include "fw/CFile.h"
#include "fw/RunLog.h"
#include "payload/LzSideFile.h"
#include "payload/PathMap.h"
#include "state/SetupState.h"

namespace {

const DWORD kMissing = INVALID_FILE_ATTRIBUTES;

// Names still taken by earlier runs' held files that are skipped at most.
const int kMaxSkippedNames = 1000;

bool Move(const char* from, const char* to) { return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0; }

}  // namespace

// The file in the way goes aside under a name no other file has: a leftover
// of an earlier run that stays (held open by another program) is skipped.
bool ExtractionRun::MoveAside(int index) {
    for (int skipped = 0; !FreeTemporaryName(TemporaryName("replaced", m_nextAside)); ++skipped, ++m_nextAside)
        if (skipped == kMaxSkippedNames) return false;
    m_asideNumbers[index] = m_nextAside++;
    if (Move(PlacedFile(index), ReplacedFile(index))) return true;
    m_asideNumbers[index] = -1;
    return false;
}

// The tag file is written new beside the ready entries and placed with them.
bool ExtractionRun::WriteTag() {
    CFile tag;
    return FreeTemporaryName(ReadyName(m_state.fileCount)) && tag.OpenNew(ReadyFile(m_state.fileCount)) &&
           tag.Write(static_cast<const char*>(m_state.distributionTag),
                     static_cast<UINT>(m_state.distributionTag.GetLength()));
}

// Every folder on the way to the entry's own is a plain folder at its place,
// checked before anything is made in it; the missing ones are made. The
// folder is checked once for the entries in it that follow one another.
bool ExtractionRun::MakeDestinationFolder(const CString& folder, int index) {
    m_createdFolders[index] = 0;
    if (folder.IsEmpty() || folder == m_checkedFolder) return true;
    m_checkedFolder = CString();
    for (int end = 1; end <= folder.GetLength(); ++end) {
        if (end < folder.GetLength() && folder.GetAt(end) != '\\') continue;
        CString relative = Relative(folder.Left(end));
        PathPlace place = m_check.Place(relative, true);
        CString path = m_check.Base() + relative;
        if (place == PLACE_MISSING && ::CreateDirectoryA(path, nullptr)) {
            if (m_createdFolders[index] == 0) m_createdFolders[index] = path.GetLength();
            place = m_check.Place(relative, true);
        }
        if (place != PLACE_INSIDE) {
            RunLogLink(path);
            return false;
        }
    }
    m_checkedFolder = folder;
    return true;
}

// The file in the way, if any, goes aside first. A folder or a link in the
// way is not replaced: the link is neither moved nor written through.
bool ExtractionRun::PlaceEntry(int index) {
    CString entry = EntryName(index);
    CString placed = PlacedFile(index);
    if (!MakeDestinationFolder(FolderOf(entry), index)) return false;
    m_asideNumbers[index] = -1;
    PathPlace inWay = m_check.Place(Relative(entry), false);
    if (inWay == PLACE_ELSEWHERE) {
        RunLogLink(placed);
        return false;
    }
    if (inWay == PLACE_INSIDE && !MoveAside(index)) {
        RunLogError(entry, "cannot move aside");
        return false;
    }
    if (Move(ReadyFile(index), placed)) {
        RunLog("%s: moved into place", static_cast<const char*>(entry));
        return true;
    }
    RunLogError(entry, "cannot move into place");
    if (inWay == PLACE_INSIDE) Move(ReplacedFile(index), placed);
    return false;
}

void ExtractionRun::PutBack(int index) {
    CString placed = PlacedFile(index);
    Move(placed, ReadyFile(index));
    if (m_asideNumbers[index] >= 0) Move(ReplacedFile(index), placed);
    RemoveCreatedFolders(placed, m_createdFolders[index]);
}

// The entries, then the tag file.
bool ExtractionRun::PlaceAllEntries() {
    int count = m_state.fileCount + 1;
    int placed = 0;
    while (placed < count && PlaceEntry(placed)) ++placed;
    if (placed == count) {
        FinishPlacement();
        return true;
    }
    RemoveCreatedFolders(PlacedFile(placed), m_createdFolders[placed]);
    RunLog("Moves taken back");
    while (placed > 0) PutBack(--placed);
    m_checkedFolder = CString();
    return false;
}

// A read-only file that was replaced leaves its attribute to the new one.
// Side files that LZ32 left beside a file it could not write (a run of an
// earlier version) go, unless they are entries themselves or links.
void ExtractionRun::FinishPlacement() {
    for (int i = 0; i < m_state.fileCount; ++i) {
        if (m_asideNumbers[i] < 0) continue;
        DWORD old = ::GetFileAttributesA(ReplacedFile(i));
        if (old != kMissing && (old & FILE_ATTRIBUTE_READONLY)) {
            CString placed = PlacedFile(i);
            ::SetFileAttributesA(placed, ::GetFileAttributesA(placed) | FILE_ATTRIBUTE_READONLY);
        }
        CString side = LzSideFileName(EntryName(i));
        if (m_check.Place(Relative(side), false) != PLACE_INSIDE) continue;
        bool isEntry = false;
        for (int j = 0; j < m_state.fileCount && !isEntry; ++j) isEntry = ::lstrcmpiA(side, EntryName(j)) == 0;
        if (!isEntry) ::DeleteFileA(m_root + side);
    }
}
