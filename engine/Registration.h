// The records of a completed installation.
#pragma once

struct SetupState;

// Writes the uninstall entries, the per-user path of the browser and the
// sno tag file. Every failure here is silent.
void RegisterInstallation(const SetupState& s);
