# Native build: host tools used by the Windows builds, and the portable unit tests.
enable_testing()
find_package(GTest REQUIRED)
find_package(PkgConfig REQUIRED)

add_compile_options(-Wall -Wextra)

# The rooms' portable code (cmake/rooms.cmake).
include(cmake/rooms.cmake)

add_subdirectory(tools/common)
add_subdirectory(tools/szdd)
add_subdirectory(tools/mkicon)
add_subdirectory(tools/integrity)
add_subdirectory(tools/package)
add_subdirectory(bench)
add_subdirectory(tests/unit)
add_subdirectory(tests/mkicon)
add_subdirectory(tests/szdd)
add_subdirectory(tests/package)

# The Win32 tests live in the x86_64 build tree; ctest here runs them too.
if(WIN64_BUILD_DIR)
    file(WRITE ${CMAKE_BINARY_DIR}/win64-tests.cmake "subdirs(\"${WIN64_BUILD_DIR}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/win64-tests.cmake)
endif()
# The i686 stage, the release itself under 32-bit Wine, lives in the i686 tree.
if(I686_BUILD_DIR)
    file(WRITE ${CMAKE_BINARY_DIR}/i686-tests.cmake "subdirs(\"${I686_BUILD_DIR}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/i686-tests.cmake)
endif()
