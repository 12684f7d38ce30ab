// The file steps of an extraction run, shared by the silent run and the
// progress page: each payload resource is written to a temporary file below
// "install\" and expanded from there into the installation folder.
#pragma once

#include <windows.h>

#include "fw/CString.h"

struct SetupState;

class ExtractionRun {
public:
    enum EntryResult {
        ENTRY_INSTALLED,
        ENTRY_MISSING,       // no such payload resource, or fewer bytes than listed
        ENTRY_TOO_LONG,      // a path would not fit MAX_PATH
        ENTRY_WRITE_FAILED,  // the temporary file could not be written
        ENTRY_EXPAND_FAILED, // the destination could not be written, or is short
        ENTRY_UNSAFE_FOLDER  // the temporary folder is a link or resolves elsewhere
    };

    explicit ExtractionRun(SetupState& state);
    ~ExtractionRun();

    // Creates the installation folder and the temporary folder, makes the
    // former the current directory and resets installedCount.
    void Begin();
    // Installs entry `index`; counts it in installedCount only on success.
    EntryResult InstallEntry(int index);
    // Deletes the temporary folder, however the run ended, unless it turned
    // out to lead elsewhere: then nothing is deleted and the run counts as
    // incomplete.
    void End();

    const CString& TemporaryFile() const { return m_temporaryFile; }

private:
    typedef INT(WINAPI* LzOpenFn)(LPSTR, LPOFSTRUCT, WORD);
    typedef LONG(WINAPI* LzCopyFn)(INT, INT);
    typedef void(WINAPI* LzCloseFn)(INT);

    SetupState& m_state;
    CString m_root;
    CString m_temporaryFolder;
    CString m_temporaryFile;
    HANDLE m_temporaryFolderPin;  // held open for the run: the folder stays where it was checked
    CString m_pinnedSubfolder;    // the subfolder below it of the entries being installed
    HANDLE m_subfolderPin;        // held open while entries in it follow one another
    bool m_unsafe;
    HMODULE m_lz32;
    LzOpenFn m_lzOpen;
    LzCopyFn m_lzCopy;
    LzCloseFn m_lzClose;

    bool ExpandFile(const char* source, const char* destination);
    void ReleaseSubfolderPin();
    // Whether the temporary folder is a link, leads elsewhere or holds links;
    // with `pin`, it stays open in it when it is a real folder inside.
    bool TemporaryFolderIsUnsafe(HANDLE* pin);
    EntryResult WriteAndExpand(int index, const CString& destination);

    ExtractionRun(const ExtractionRun&) = delete;
    ExtractionRun& operator=(const ExtractionRun&) = delete;
};

// The run without a page: no progress, no cancel. The first entry that
// cannot be installed ends it, and the shortfall in installedCount shows.
void ExtractAllEntries(SetupState& state);
