// The last step of a complete extraction run: every ready file is moved from
// the temporary folder into place, a rename on the same volume.
#include <windows.h>

#include "engine/Extraction.h"
#include "engine/FolderTree.h"
#include "payload/LzSideFile.h"
#include "state/SetupState.h"

namespace {

const DWORD kMissing = INVALID_FILE_ATTRIBUTES;

bool Move(const char* from, const char* to) { return ::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0; }

}  // namespace

// Kept apart from every entry by the blank, as the stored file is.
CString ExtractionRun::ReplacedFile(int index) const {
    CString name;
    name.Format("replaced %d", index);
    return m_temporaryFolder + name;
}

// The file in the way, if any, goes aside first; a folder in the way is no
// file to replace.
bool ExtractionRun::PlaceEntry(int index) {
    CString placed = PlacedFile(index);
    m_createdFolders[index] = CreateFolderTree(placed, false);
    DWORD old = ::GetFileAttributesA(placed);
    if (old != kMissing && ((old & FILE_ATTRIBUTE_DIRECTORY) || !Move(placed, ReplacedFile(index)))) return false;
    if (Move(ReadyFile(index), placed)) return true;
    if (old != kMissing) Move(ReplacedFile(index), placed);
    return false;
}

void ExtractionRun::PutBack(int index) {
    CString placed = PlacedFile(index);
    Move(placed, ReadyFile(index));
    CString replaced = ReplacedFile(index);
    if (::GetFileAttributesA(replaced) != kMissing) Move(replaced, placed);
    RemoveCreatedFolders(placed, m_createdFolders[index]);
}

bool ExtractionRun::PlaceAllEntries() {
    int count = m_state.fileCount;
    int placed = 0;
    while (placed < count && PlaceEntry(placed)) ++placed;
    if (placed == count) {
        FinishPlacement();
        return true;
    }
    RemoveCreatedFolders(PlacedFile(placed), m_createdFolders[placed]);
    while (placed > 0) PutBack(--placed);
    return false;
}

// A read-only file that was replaced leaves its attribute to the new one.
// Side files that LZ32 left beside an entry (in a run that could not write
// it) go, unless they are entries themselves.
void ExtractionRun::FinishPlacement() {
    for (int i = 0; i < m_state.fileCount; ++i) {
        DWORD old = ::GetFileAttributesA(ReplacedFile(i));
        if (old != kMissing && (old & FILE_ATTRIBUTE_READONLY)) {
            CString placed = PlacedFile(i);
            ::SetFileAttributesA(placed, ::GetFileAttributesA(placed) | FILE_ATTRIBUTE_READONLY);
        }
        CString side = LzSideFileName(PlacedFile(i));
        bool isEntry = false;
        for (int j = 0; j < m_state.fileCount && !isEntry; ++j) isEntry = ::lstrcmpiA(side, PlacedFile(j)) == 0;
        if (!isEntry) ::DeleteFileA(side);
    }
}
