// The temporary folder of an extraction run is written and emptied by an
// elevated process: it must be a real folder inside the installation folder,
// never a link (junction, symbolic link) that any user could have put there
// to lead the writes and the deletion elsewhere.
#pragma once

#include <windows.h>

#include "fw/CString.h"

enum FolderPlace {
    FOLDER_MISSING,    // nothing there
    FOLDER_INSIDE,     // a real folder at exactly that place
    FOLDER_ELSEWHERE   // a link along the way, a file, or a folder that resolves elsewhere
};

// Where `root` (ending with "\") + `relative` (no trailing "\") leads. With
// `pin`, a folder found inside stays open in it until the caller closes it,
// so that it cannot be renamed, deleted or replaced meanwhile.
FolderPlace PlaceOfFolder(const CString& root, const CString& relative, HANDLE* pin = nullptr);

// Whether anything below `folder` is a link; the shell's deletion would
// follow it.
bool HoldsLinks(const CString& folder);
