# Win32 tests, run under Wine by ctest (top-level scope of the x86_64 tree).
include(tests/wine/cases.cmake)
include(tests/szdd/win32.cmake)
include(tests/system/win32.cmake)
include(tests/package/win32.cmake)
include(tests/standins/win32.cmake)
include(tests/msgbox/win32.cmake)
include(tests/skin/win32.cmake)
include(tests/ui/win32.cmake)
