#pragma once

// Whether every "TEXT" and "BIN" resource listed in the program's integrity
// record is present with its recorded size and CRC-32. A missing or damaged
// record counts as damage too.
bool ProgramResourcesIntact();
