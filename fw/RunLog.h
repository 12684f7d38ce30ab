// The log of a run, for administrators who deploy the setup and see nothing
// else of it: a new file in the account's temporary folder,
// "Quillfen Setup YYYY-MM-DD #NNN.log" (the lowest number not taken), one
// line per step with the local time to the millisecond, CR LF line ends.
// The temporary folder may be open to every user (SYSTEM's is): the log is
// always a new file, and a name someone took, or planted a link at, is
// skipped. Without a log the run goes on as it would.
#pragma once

#include <windows.h>

void OpenRunLog();

// The open log, or null.
HANDLE RunLogFile();
// Uses an inherited handle as the log (the uninstaller's copy writes on in
// the uninstaller's log); null: no log from here on.
void ContinueRunLog(HANDLE file);

// One line; the last error is kept for the caller.
void RunLog(const char* format, ...);

// "<what>: <step>: error N: <what Windows says of it>", for the calling
// thread's last error, or for `error`.
void RunLogError(const char* what, const char* step);
void RunLogErrorCode(const char* what, const char* step, DWORD error);

// "<path>: a link or leads elsewhere": what the run neither writes through,
// moves nor deletes.
void RunLogLink(const char* path);
