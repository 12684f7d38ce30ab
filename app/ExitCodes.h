// The process exit codes, one per outcome of a run (README.md lists them).
// Success is 0 in both directions, as deployment tools expect of an
// installer and of the uninstall command they run.
#pragma once

enum SetupExitCode {
    EXIT_INSTALLED = 0,           // the installation is complete and registered
    EXIT_UNINSTALLED = 0,         // the registration and shortcuts were taken back
    EXIT_DECLINED = 1,            // the user declined or cancelled the wizard; nothing was registered
    EXIT_ROLLED_BACK = 2,         // the installation was incomplete and has been rolled back
    EXIT_DAMAGED = 3,             // the program file is damaged; nothing was changed
    EXIT_UNINSTALL_DECLINED = 4   // the user answered No to the uninstall question
};
