#pragma once

#include "fw/CString.h"

// The key of the installed programs' entries, below HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The registered uninstall command: the uninstaller's path, a blank and the
// installation folder, which the uninstaller reads whole. The path is quoted
// when it holds a blank, so no "C:\Program" can stand in for it.
CString UninstallCommand(const CString& installFolder);

// The quiet uninstall command deployment tools run: the uninstaller's path in
// quotes, a blank and "-s".
CString QuietUninstallCommand(const CString& installFolder);
