// Taking an installation's files back, as the record of what the setup
// placed lists them (engine/InstallRecord.h).
#pragma once

#include "fw/CString.h"

struct SetupState;

struct FileRemoval {
    bool restartPending = false;  // something goes only at the next restart
    bool removeUninstaller = false;  // the running uninstaller is unchanged: it goes once it has ended
};

// Removes every file of `record` below the installation folder while it is
// still what the setup placed there (its size and CRC-32), following no
// link: a file changed since stays, and so does all the setup did not place.
// The uninstaller itself (INSTALL_UNINSTALLER), which cannot delete its own
// file while it runs, is only checked. Then the folders left empty, up to
// and including the product folder above the installation folder; never the
// base folder above that. A file another program holds open goes at the next
// restart.
FileRemoval RemoveInstalledFiles(const SetupState& s, const CString& record);

// Once the uninstaller has ended: its file, then the folders left empty as
// above; or, `atRestart`, all of them at the next restart. False when
// something goes only at the next restart.
bool RemoveUninstallerFile(const SetupState& s, bool atRestart);
