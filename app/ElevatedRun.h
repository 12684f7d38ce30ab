// What keeps an elevated run to itself on a machine shared with other users.
#pragma once

#include <windows.h>

// The machine's one lock for runs of the setup and the uninstaller: a mutex
// in a private namespace that only an elevated member of the Administrators
// group can enter, so no other user can take it first and block every run.
// Where the system has no private namespaces, the global name of earlier
// versions. Null where no mutex could be made (GetLastError says why).
HANDLE CreateRunLock();

// Asks the system to refuse this process the junctions that users without
// administrator rights made (redirection trust); nothing where the system
// does not offer it.
void RefuseUserRedirections();

// Whether the process runs elevated (false where Windows cannot say).
bool RunsElevated();
