// CHECK_TEXT for texts held in std::string temporaries (CHECK_STR keeps only
// the pointer, which would outlive the temporary), and the bounded wait every
// UI check is made with (tests/harness/wait.h).
#pragma once

#include <windows.h>

#include <string>

#include "tests/harness/check.h"
#include "tests/harness/wait.h"

#define CHECK_TEXT(got, want)                                       \
    do {                                                            \
        const std::string check_text_got = (got);                   \
        CHECK_STR(check_text_got.c_str(), want);                    \
    } while (0)
