// The process-wide setup state: filled by the driver at start, read by every
// step; only the extraction run writes into it (installedCount).
#pragma once

#include "fw/CString.h"
#include "payload/Manifest.h"

struct SetupState : ManifestTable {
    CString setupTitle;
    CString setupFolder;
    CString installFolder;
    CString productKey;
    CString displayName;
    CString uninstallLinkName;
    CString iconFileName;
    CString mainExeName;
    CString distributionTag;
    CString licenseText;
    int installedCount = 0;
    bool silentMode = false;
};

extern SetupState setupState;
