// The records of a completed installation.
#pragma once

#include "fw/CString.h"

struct SetupState;

// Writes the uninstall entries and the per-user path of the browser (the
// sno tag file is placed with the payload). Every failure here is silent.
void RegisterInstallation(const SetupState& s);

// The folders the product is registered in: the InstallLocation of its
// uninstall entry and the folder of the per-user path of the browser (each
// is missing where that record could not be written). Returns how many of
// the two were found.
int ReadRegisteredFolders(const SetupState& s, CString (&folders)[2]);

// The record of the files the registered installation placed (engine/
// InstallRecord.h), one line each ending with a line end; empty when there is
// none. Only administrators can change it.
CString ReadInstallRecord(const SetupState& s);
