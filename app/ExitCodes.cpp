#include "app/ExitCodes.h"

const char* ExitCodeName(int code) {
    static const struct {
        int code;
        const char* name;
    } kNames[] = {{EXIT_INSTALLED, "SUCCESS"},
                  {EXIT_DECLINED, "INSTALL_USEREXIT"},
                  {EXIT_ROLLED_BACK, "INSTALL_FAILURE"},
                  {EXIT_NOT_INSTALLED, "UNKNOWN_PRODUCT"},
                  {EXIT_ALREADY_RUNNING, "INSTALL_ALREADY_RUNNING"},
                  {EXIT_DAMAGED, "INSTALL_PACKAGE_INVALID"},
                  {EXIT_RESTART_PENDING, "SUCCESS_REBOOT_REQUIRED"}};
    for (const auto& name : kNames)
        if (name.code == code) return name.name;
    return "";
}
