// The process exit codes, one per outcome of a run (README.md lists them).
// Deployment tools read an installer's exit code with Windows Installer's
// meanings, and retry by default on ERROR_INSTALL_ALREADY_RUNNING, so these
// are those codes. Success is 0 in both directions.
#pragma once

#include <windows.h>

enum SetupExitCode {
    EXIT_INSTALLED = ERROR_SUCCESS,                        // 0: complete and registered
    EXIT_UNINSTALLED = ERROR_SUCCESS,                      // 0: registration and shortcuts taken back
    EXIT_DECLINED = ERROR_INSTALL_USEREXIT,                // 1602: declined or cancelled; nothing changed
    EXIT_ROLLED_BACK = ERROR_INSTALL_FAILURE,              // 1603: incomplete; what the run did is taken back
    EXIT_NOT_INSTALLED = ERROR_UNKNOWN_PRODUCT,            // 1605: uninstall of a folder the product is not in
    EXIT_ALREADY_RUNNING = ERROR_INSTALL_ALREADY_RUNNING,  // 1618: another run is under way; nothing changed
    EXIT_DAMAGED = ERROR_INSTALL_PACKAGE_INVALID,          // 1620: the program file is damaged; nothing changed
    EXIT_RESTART_PENDING = ERROR_SUCCESS_REBOOT_REQUIRED   // 3010: uninstalled; what was held open goes at the restart
};

// The Windows name of an exit code after its "ERROR_", for the log:
// "INSTALL_FAILURE".
const char* ExitCodeName(int code);
