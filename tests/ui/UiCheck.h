// CHECK_TEXT for texts held in std::string temporaries (CHECK_STR keeps only
// the pointer, which would outlive the temporary), and the bounded wait every
// UI check is made with.
#pragma once

#include <windows.h>

#include <string>

#include "tests/harness/check.h"

#define CHECK_TEXT(got, want)                                       \
    do {                                                            \
        const std::string check_text_got = (got);                   \
        CHECK_STR(check_text_got.c_str(), want);                    \
    } while (0)

// Polls `condition` until it holds (true) or `timeoutMs` have passed (false).
template <class Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start >= timeoutMs) return false;
    return true;
}
