// CHECK_STR for texts held in std::string temporaries (CHECK_STR keeps only
// the pointer, which would outlive the temporary).
#pragma once

#include <string>

#include "tests/harness/check.h"

#define CHECK_TEXT(got, want)                                       \
    do {                                                            \
        const std::string check_text_got = (got);                   \
        CHECK_STR(check_text_got.c_str(), want);                    \
    } while (0)
