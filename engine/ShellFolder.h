#pragma once

#include "fw/CString.h"

// The file-system path of a shell folder (a CSIDL value); false when the shell
// cannot give it or it does not fit MAX_PATH.
bool GetShellFolderPath(int csidl, CString& path);
