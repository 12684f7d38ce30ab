// Loading the system's DLLs so that none is ever taken from the program's
// own folder (a Downloads folder) or the current folder, where a planted DLL
// of the same name would run inside an elevated process.
#pragma once

#include <windows.h>

// Limits the DLL search to the system folder where the system can do that
// (SetDefaultDllDirectories), else takes the current folder out of it
// (SetDllDirectoryA); both are looked up at run time, so older systems still
// start. The entry point calls it before anything else.
void AfxRestrictLibrarySearch();

// Loads `name` ("LZ32.DLL") from the system folder by its full path.
HMODULE AfxLoadSystemLibraryUsingFullPath(const char* name);

// Looks up the `count` functions `names` of `module` into `functions`, in
// order; false as soon as one is missing.
bool AfxGetProcAddresses(HMODULE module, const char* const* names, FARPROC* functions, int count);

// Whether the system is of the 9x family (95, 98, Me): no file security, no
// links, and folders cannot be opened.
bool AfxIsWindows9x();

// Loads COMCTL32 from the system folder and registers the common control
// classes (the progress bar). The library stays loaded for the process, as
// its window classes must. False when it could not be loaded.
bool AfxInitCommonControls();
