// Program entry. The setup programs start here instead of in the C runtime's
// start-up code, which brings argument parsing, TLS and signal support,
// runtime relocations and unwind tables that the program never uses. What it
// does use stays: the static constructors run first, the destructors that
// they register run at the end, and exit() of the system C library flushes
// standard output and ends the process with the code of ExitInstance.
// One call of InitInstance is the whole run: no message loop.
#include <cstdlib>

#include "fw/CWinApp.h"
#include "fw/SystemLibrary.h"

// The linker lists the static constructors between a -1 and a 0 entry
// (__CTOR_LIST__); like the C runtime, they run from the last to the first.
typedef void (*AfxStaticFunction)();
extern "C" AfxStaticFunction __CTOR_LIST__[];

namespace {

// The destructors of statics, in the order of their registration.
const int kMaxExitFunctions = 32;
AfxStaticFunction g_exitFunctions[kMaxExitFunctions];
int g_exitFunctionCount = 0;

void RunStaticConstructors() {
    int last = 0;
    while (__CTOR_LIST__[last + 1]) ++last;
    for (int i = last; i > 0; --i) __CTOR_LIST__[i]();
}

void RunExitFunctions() {
    while (g_exitFunctionCount > 0) g_exitFunctions[--g_exitFunctionCount]();
}

int RunApplication() {
    AfxRestrictLibrarySearch();
    CWinApp* app = AfxGetApp();
    if (!app) return 0;
    app->m_hInstance = ::GetModuleHandleA(nullptr);
    app->m_lpCmdLine = AfxCommandLineTail(::GetCommandLineA());
    if (!app->m_pszAppName) app->m_pszAppName = AfxModuleBaseName(app->m_hInstance);
    app->InitInstance();
    return app->ExitInstance();
}

}  // namespace

// Where the compiler registers the destructor of each static object.
extern "C" int atexit(void (*function)()) {
    if (g_exitFunctionCount == kMaxExitFunctions) return -1;
    g_exitFunctions[g_exitFunctionCount++] = function;
    return 0;
}

// The entry point named to the linker (cmake/windows.cmake).
extern "C" [[noreturn]] void AfxStartup() {
    RunStaticConstructors();
    int code = RunApplication();
    RunExitFunctions();
    std::exit(code);
}

// A pure virtual call cannot happen in a finished program; ending here keeps
// the C++ library's verbose terminate handler out of the executable.
extern "C" void __cxa_pure_virtual() { ::ExitProcess(3); }

// Virtual destructors refer to operator delete, though no object of the
// program is ever allocated with new: the C library's free is all it takes.
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
