// Taking back the records and shortcuts of an installation.
#pragma once

struct SetupState;

// Removes both uninstall entries, the browser shortcuts, the program group
// and the per-user record; installed files stay. Best effort: whatever is
// already gone is skipped silently.
void RemoveRegistration(const SetupState& s);
