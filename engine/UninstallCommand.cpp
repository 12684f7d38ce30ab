#include "engine/UninstallCommand.h"

CString UninstallCommand(const CString& installFolder) {
    CString program = installFolder + "\\uninstall.exe";
    if (program.Find(" ") >= 0 || program.Find("\t") >= 0) program = "\"" + program + "\"";
    return program + " " + installFolder;
}
