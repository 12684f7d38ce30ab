// A very small test harness for the Win32 test programs (GoogleTest is not
// available for the MinGW targets). Each program holds several cases; ctest
// runs one case per entry: `program CASE`.
#pragma once

#include <cstdio>
#include <cstring>

namespace check {

struct Case {
    const char* name;
    void (*run)();
    Case* next;
};

Case*& Registry();
int& Failures();
void Fail(const char* file, int line, const char* what);
void FailEq(const char* file, int line, const char* what, const char* got, const char* want);
void FailEqNum(const char* file, int line, const char* what, long long got, long long want);
int RunMain(int argc, char** argv);

struct Registrar {
    Case entry;
    Registrar(const char* name, void (*run)()) : entry{name, run, nullptr} {
        entry.next = Registry();
        Registry() = &entry;
    }
};

}  // namespace check

#define TEST_CASE(name)                                             \
    static void name();                                             \
    static check::Registrar name##_registrar(#name, &name);         \
    static void name()

#define CHECK(cond)                                                 \
    do {                                                            \
        if (!(cond)) check::Fail(__FILE__, __LINE__, #cond);        \
    } while (0)

// Fails the case and leaves it: for preconditions the rest depends on.
#define REQUIRE(cond)                                               \
    do {                                                            \
        if (!(cond)) {                                              \
            check::Fail(__FILE__, __LINE__, #cond);                 \
            return;                                                 \
        }                                                           \
    } while (0)

#define CHECK_STR(got, want)                                        \
    do {                                                            \
        const char* check_g = (got);                                \
        const char* check_w = (want);                               \
        if (!check_g || std::strcmp(check_g, check_w) != 0)         \
            check::FailEq(__FILE__, __LINE__, #got, check_g, check_w); \
    } while (0)

#define CHECK_NUM(got, want)                                        \
    do {                                                            \
        long long check_g = (long long)(got);                       \
        long long check_w = (long long)(want);                      \
        if (check_g != check_w)                                     \
            check::FailEqNum(__FILE__, __LINE__, #got, check_g, check_w); \
    } while (0)
