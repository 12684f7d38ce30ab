// The setup's versions of what only the installed uninstaller does
// (app/UninstallerBuild.cpp): its uninstall mode keeps the files.
#include "app/SetupApp.h"

bool IsUninstallerBuild() { return false; }

bool SetupApp::RemoveInstalledFiles(const CString&) { return false; }

void SetupApp::RemoveItself() {}

bool SetupApp::FinishAsUninstallerCopy() { return false; }
