#include "tests/harness/check.h"

namespace check {

Case*& Registry() {
    static Case* head = nullptr;
    return head;
}

int& Failures() {
    static int count = 0;
    return count;
}

void Fail(const char* file, int line, const char* what) {
    ++Failures();
    std::printf("%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stdout);
}

void FailEq(const char* file, int line, const char* what, const char* got, const char* want) {
    ++Failures();
    std::printf("%s:%d: %s\n    got:  \"%s\"\n    want: \"%s\"\n", file, line, what,
                got ? got : "(null)", want);
    std::fflush(stdout);
}

void FailEqNum(const char* file, int line, const char* what, long long got, long long want) {
    ++Failures();
    std::printf("%s:%d: %s\n    got:  %lld\n    want: %lld\n", file, line, what, got, want);
    std::fflush(stdout);
}

int RunMain(int argc, char** argv) {
    int ran = 0;
    for (Case* c = Registry(); c; c = c->next) {
        if (argc > 1 && std::strcmp(argv[1], c->name) != 0) continue;
        std::printf("[ RUN  ] %s\n", c->name);
        std::fflush(stdout);
        int before = Failures();
        c->run();
        std::printf("[ %s ] %s\n", Failures() == before ? " OK " : "FAIL", c->name);
        std::fflush(stdout);
        ++ran;
    }
    if (ran == 0) {
        std::printf("no test case named %s\n", argc > 1 ? argv[1] : "(any)");
        return 2;
    }
    return Failures() ? 1 : 0;
}

}  // namespace check

int main(int argc, char** argv) { return check::RunMain(argc, argv); }
