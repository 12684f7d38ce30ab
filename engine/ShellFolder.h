#pragma once

#include "fw/CString.h"

// The file-system path of a shell folder (a CSIDL value); false (and `path`
// left empty or unchanged) when the shell cannot give it.
bool GetShellFolderPath(int csidl, CString& path);

// The program group's folder in the all-users Programs menu, the same way.
bool GetProgramGroupPath(CString& path);
