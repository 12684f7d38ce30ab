#include "engine/UninstallCommand.h"

#include "payload/InstallNames.h"
#include "payload/PathMap.h"

CString UninstallCommand(const CString& installFolder) {
    CString program = JoinPath(installFolder, INSTALL_UNINSTALLER);
    if (program.Find(" ") >= 0 || program.Find("\t") >= 0) program = "\"" + program + "\"";
    return program + " " + installFolder;
}

CString QuietUninstallCommand(const CString& installFolder) {
    return "\"" + JoinPath(installFolder, INSTALL_UNINSTALLER) + "\" -s";
}
