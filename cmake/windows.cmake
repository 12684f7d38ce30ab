# Windows build (i686 release, or x86_64 for the tests under Wine).
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=1252")

# Lean, reproducible, self-contained binaries.
set(CMAKE_C_FLAGS_RELEASE "-DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG")
# -Oz: the smallest code; the setup spends its time in the system, not in
# its own code. -fconserve-stack: inlining that would grow a caller's frame
# also grows its code. -fno-guess-branch-probability: without guessed branch
# weights GCC lays blocks out for size, not for speed. -malign-data=abi:
# arrays aligned as the ABI asks, not padded to 32 bytes. No -fdata-sections:
# with it this GCC stores zero-filled statics as file data instead of .bss
# (4 KB in the setup); unused functions still go.
add_compile_options(-Oz -fconserve-stack -fno-guess-branch-probability -malign-data=abi -ffunction-sections
                    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-ident -fno-threadsafe-statics
                    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -Wall -Wextra
                    -Wno-cast-function-type)  # message-map entries round-trip handler types
# The system C library's printf family, not MinGW's larger own.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=0 WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0501 STRICT)
add_link_options(-static -s -Wl,--gc-sections -Wl,--no-insert-timestamp -Wl,--build-id=none)

# The setup programs (cmake/setup-program.cmake) start at their own entry
# point, fw/AppMain.cpp, without the C runtime's start-up code: about 10 KB of
# code, unwind tables, imports and two sections that the program never uses.
# 32-bit symbol names carry a leading underscore. One link-time partition
# lets every call inside the program use the cheapest convention.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(SETUP_ENTRY_SYMBOL _AfxStartup)
else()
    set(SETUP_ENTRY_SYMBOL AfxStartup)
endif()
set(SETUP_PROGRAM_LINK_OPTIONS -nostartfiles -Wl,-e,${SETUP_ENTRY_SYMBOL} -flto-partition=one)

# 32-bit code of the setup programs without stack probes. GCC probes every
# stack allocation of 4 KB or more page by page, so that it cannot skip the
# guard page below the stack; with probing on it must also reserve the
# space for outgoing arguments in the prologue and store each argument with
# a long MOV, where a PUSH would do: about 3.5 KB of code. No frame of the
# program comes near a page: the build fails if one exceeds 2 KB, and
# variable-length arrays are refused. The stack stays 4-byte aligned, as
# Windows keeps it; no code here needs more.
set(SETUP_CODE_OPTIONS "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(SETUP_CODE_OPTIONS -mno-stack-arg-probe -Werror=frame-larger-than=2048 -Werror=vla
                           -mpreferred-stack-boundary=2)
    list(APPEND SETUP_PROGRAM_LINK_OPTIONS ${SETUP_CODE_OPTIONS})
endif()

# The rooms and the setup programs are optimized across files at link time
# (in one partition): about 3 KB less code. They get SETUP_CODE_OPTIONS too;
# the stand-ins and the tests are built as usual.
function(setup_code target)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
    target_compile_options(${target} PRIVATE ${SETUP_CODE_OPTIONS})
endfunction()

set(HOST_TOOLS_DIR "" CACHE PATH "Build folder of the native tools (szdd-compress, mkicon, integrity-record, payload-pack)")
find_program(SZDD_COMPRESS szdd-compress PATHS ${HOST_TOOLS_DIR}/tools/szdd NO_DEFAULT_PATH REQUIRED)
find_program(MKICON mkicon PATHS ${HOST_TOOLS_DIR}/tools/mkicon NO_DEFAULT_PATH REQUIRED)
find_program(INTEGRITY_RECORD integrity-record PATHS ${HOST_TOOLS_DIR}/tools/integrity NO_DEFAULT_PATH REQUIRED)
find_program(PAYLOAD_PACK payload-pack PATHS ${HOST_TOOLS_DIR}/tools/package NO_DEFAULT_PATH REQUIRED)

# The x86_64 tree holds the Win32 tests under 64-bit Wine; the i686 tree a
# short stage that runs the release itself under 32-bit Wine.
set(WINE_TESTS OFF)
set(RELEASE_STAGE OFF)
set(WINE_PREFIX_DIR ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(WINE_TESTS ON)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine-run ${WINE_PREFIX_DIR})
else()
    set(RELEASE_STAGE ON)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine32-run ${WINE_PREFIX_DIR})
endif()
enable_testing()

include(res/icons/icons.cmake)
include(cmake/rooms.cmake)
add_subdirectory(standins)
include(cmake/setup-program.cmake)

if(WINE_TESTS)
    include(tests/win32.cmake)
    include(bench/win32.cmake)
else()
    include(tests/release-stage.cmake)
endif()
