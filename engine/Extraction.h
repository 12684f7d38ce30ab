// The file steps of an extraction run, shared by the silent run and the
// progress page: each payload resource is written to a temporary file below
// "install\" and expanded from there into the installation folder.
#pragma once

#include "fw/CString.h"

class ExtractionRun {
public:
    enum EntryResult {
        ENTRY_INSTALLED,
        ENTRY_MISSING,      // no such payload resource, or fewer bytes than listed
        ENTRY_TOO_LONG,     // a path would not fit MAX_PATH
        ENTRY_WRITE_FAILED, // the temporary file could not be written
        ENTRY_EXPAND_FAILED // the destination could not be written
    };

    // Creates the installation folder, makes it the current directory and
    // resets installedCount.
    void Begin();
    // Installs entry `index`; counts it in installedCount only on success.
    EntryResult InstallEntry(int index);
    // Deletes the temporary folder, however the run ended.
    void End();

    const CString& TemporaryFile() const { return m_temporaryFile; }

private:
    CString m_root;
    CString m_temporaryFolder;
    CString m_temporaryFile;
};
