// The folder an uninstall argument names, as it is compared with the
// registered installation folder: surrounding quotes, trailing blanks and
// trailing backslashes aside ("\"C:\\Quillfen\\Quillfen 11.0\\\" " gives
// "C:\\Quillfen\\Quillfen 11.0"). A drive root keeps its backslash.
#pragma once

#include "fw/CString.h"

CString UninstallArgumentFolder(const CString& argument);
