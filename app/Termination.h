// Ends one running process whose module name is `name` and returns a result
// code: 0 ended, 602 could not be ended, 603 none running, 604 could not be
// opened, 605 no PSAPI.DLL, 606 no version, 607 unknown platform, 632 bad
// name, 700/701 PSAPI functions missing / process list failed, 702/703/704
// ToolHelp library, functions or snapshot failed.
#pragma once

int TerminateProcessByName(const char* name);

// What a result code means, for the log.
const char* TerminationMeaning(int code);
