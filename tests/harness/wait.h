// The bounded wait every Win32 test waits with: on what happens, never for a
// fixed time.
#pragma once

#include <windows.h>

// Polls `condition` until it holds (true) or `timeoutMs` have passed (false).
template <class Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start >= timeoutMs) return false;
    return true;
}
