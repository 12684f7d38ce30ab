// The file steps of an extraction run, shared by the silent run and the
// progress page. Each payload resource is written to a temporary file in
// "install\" and expanded from there to a ready file of its own there, named
// by its number, where it is checked. Only when every entry is ready are they
// moved into the installation folder, each file they replace kept aside in
// "install\" until the run ends; a move that fails puts every file back.
// Until then nothing of an earlier installation has changed. The run is
// elevated: it closes the product folders to other users before it writes
// there, and follows no link that anyone could have planted.
#pragma once

#include <windows.h>

#include "engine/PathCheck.h"
#include "fw/CString.h"
#include "payload/Manifest.h"

struct SetupState;

class ExtractionRun {
public:
    enum EntryResult {
        ENTRY_INSTALLED,
        ENTRY_MISSING,       // no such payload resource, or fewer bytes than listed
        ENTRY_TOO_LONG,      // a path would not fit MAX_PATH, or a temporary one LZ32
        ENTRY_WRITE_FAILED,  // the temporary file could not be written
        ENTRY_EXPAND_FAILED, // the destination could not be written, or is short
        ENTRY_UNSAFE_FOLDER  // a folder of the product is a link, leads elsewhere or cannot be closed
    };

    explicit ExtractionRun(SetupState& state);
    ~ExtractionRun();

    // Creates the folders up to the installation folder, closes the product
    // folders to other users (whether made now or found) and checks that
    // they and the temporary folder lead nowhere else; makes the
    // installation folder the current directory and resets installedCount.
    void Begin();
    // Expands entry `index` into the temporary folder; counts it in
    // installedCount only when it is ready.
    EntryResult InstallEntry(int index);
    // When every entry is ready, writes the tag file beside them and moves
    // them all into place; if that fails, the run counts as incomplete
    // (installedCount 0). Then, however the run ended, deletes the temporary
    // folder and, when the run is incomplete, the folders it created that
    // are empty. Nothing is written, moved or deleted through a link: a run
    // that finds one counts as incomplete.
    void End();

    const CString& TemporaryFile() const { return m_temporaryFile; }

private:
    typedef INT(WINAPI* LzOpenFn)(LPSTR, LPOFSTRUCT, WORD);
    typedef LONG(WINAPI* LzCopyFn)(INT, INT);
    typedef void(WINAPI* LzCloseFn)(INT);

    // The product folders and the temporary folder, held for the run.
    static const int kFolderPins = 4;
    // The entries and, after them, the tag file.
    static const int kPlacedFiles = MAX_MANIFEST_ENTRIES + 1;

    SetupState& m_state;
    PathCheck m_check;  // below the base the user chose
    CString m_root;
    CString m_temporaryFolder;
    CString m_temporaryFile;           // the stored bytes of the entry being expanded
    int m_createdRoot;                 // the folders made for the installation folder (CreateFolderTree)
    int m_createdFolders[kPlacedFiles];  // the same for each entry's folder, when placed
    int m_asideNumbers[kPlacedFiles];    // "replaced N" of the file each entry replaced, -1: none
    int m_nextAside;
    HANDLE m_folderPins[kFolderPins];
    CString m_checkedFolder;      // the destination folder last checked for links
    bool m_temporaryFolderIsNew;  // nothing in it but what the run puts there
    bool m_unsafe;
    HMODULE m_lz32;
    LzOpenFn m_lzOpen;
    LzCopyFn m_lzCopy;
    LzCloseFn m_lzClose;

    // What lies below the base: the product key's folders and the rest.
    CString Relative(const CString& belowInstallFolder) const;
    CString EntryName(int index) const;
    LONG ExpandFile(const char* source, const char* destination);
    bool OpenProductFolders();
    bool OpenClosedFolder(const CString& relative, HANDLE& pin);
    // The files an entry is moved between: ready, in place, replaced.
    static CString TemporaryName(const char* kind, int number);
    CString ReadyName(int index) const { return TemporaryName("ready", index); }
    CString ReadyFile(int index) const { return m_temporaryFolder + ReadyName(index); }
    CString PlacedFile(int index) const { return m_root + EntryName(index); }
    CString ReplacedFile(int index) const { return m_temporaryFolder + TemporaryName("replaced", m_asideNumbers[index]); }
    bool FreeTemporaryName(const CString& name);
    bool MoveAside(int index);
    bool WriteTag();
    bool MakeDestinationFolder(const CString& folder, int index);
    bool PlaceEntry(int index);
    void PutBack(int index);
    bool PlaceAllEntries();
    void FinishPlacement();
    void ReleaseFolderPins();
    // Whether the temporary folder is a link or leads elsewhere; with `pin`,
    // it stays open in it when it is a real folder inside.
    bool TemporaryFolderIsUnsafe(HANDLE* pin);
    EntryResult WriteAndExpand(int index, const CString& destination);

    ExtractionRun(const ExtractionRun&) = delete;
    ExtractionRun& operator=(const ExtractionRun&) = delete;
};

// The run without a page: no progress, no cancel. The first entry that
// cannot be installed ends it, and the shortfall in installedCount shows.
void ExtractAllEntries(SetupState& state);
