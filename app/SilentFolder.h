// Whether the per-user default value names a folder "-s" may install below:
// an absolute path with a drive ("D:\Apps") or a network share
// ("\\server\share"). Anything else (empty, blanks, a relative path, a path
// from the current drive's root, a device path) would install somewhere the
// user never chose.
#pragma once

#include "fw/CString.h"

bool IsUsableSilentFolder(const CString& value);
