# The release build: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Windows keeps a 32-bit stack 4-byte aligned, and no code here needs more:
# keeping it 16-byte aligned on every call only costs code.
set(CMAKE_C_FLAGS_INIT "-mpreferred-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-mpreferred-stack-boundary=2")
