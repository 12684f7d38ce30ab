# How the Windows trees declare their test programs and the cases ctest runs
# under Wine (the tree's emulator; WINE_PREFIX_DIR is its prefix).

# One wineserver stays up for the prefix from the first case to the last
# (tests/wine/server): Wine's own background processes start once, not with
# every case. Every case requires this fixture, so ctest adds the start and
# the stop to any selection of cases, and stops the server whatever the
# outcome. 77: this machine runs no 32-bit programs.
set(WINE_SERVER_FIXTURE wineserver)
set(wine_server_arch "")
if(RELEASE_STAGE)
    set(WINE_SERVER_FIXTURE i686_wineserver)
    set(wine_server_arch win32)
endif()
add_test(NAME ${WINE_SERVER_FIXTURE}_start
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/wine/server start ${WINE_PREFIX_DIR} ${wine_server_arch})
add_test(NAME ${WINE_SERVER_FIXTURE}_stop COMMAND sh ${CMAKE_SOURCE_DIR}/tests/wine/server stop ${WINE_PREFIX_DIR})
set_tests_properties(${WINE_SERVER_FIXTURE}_start PROPERTIES FIXTURES_SETUP ${WINE_SERVER_FIXTURE} TIMEOUT 300
                     SKIP_RETURN_CODE 77)
set_tests_properties(${WINE_SERVER_FIXTURE}_stop PROPERTIES FIXTURES_CLEANUP ${WINE_SERVER_FIXTURE} TIMEOUT 60)

# A test program built into tests/FOLDER of the tree, with the check harness
# and the source root to include from (sources are named from the root):
#   add_test_program(NAME FOLDER SOURCES... [LIBRARIES...])
function(add_test_program name folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} tests/harness/check.cpp)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${folder})
endfunction()

# One ctest case per name: PREFIX+name runs `PROGRAM name ARGS...` with the
# wineserver fixture and the test properties given:
#   add_wine_cases(PROGRAM [PREFIX p] [ARGS...] [RESOURCE_LOCK...] [TIMEOUT s] [LABELS...]
#                  [SKIP_RETURN_CODE c] [WORKING_DIRECTORY dir] CASES names...)
function(add_wine_cases program)
    set(properties RESOURCE_LOCK TIMEOUT LABELS SKIP_RETURN_CODE WORKING_DIRECTORY)
    cmake_parse_arguments(ARG "" "PREFIX;TIMEOUT;SKIP_RETURN_CODE;WORKING_DIRECTORY"
                          "ARGS;CASES;RESOURCE_LOCK;LABELS" ${ARGN})
    list(TRANSFORM ARG_CASES PREPEND "${ARG_PREFIX}" OUTPUT_VARIABLE tests)
    foreach(case test IN ZIP_LISTS ARG_CASES tests)
        add_test(NAME ${test} COMMAND ${program} ${case} ${ARG_ARGS})
    endforeach()
    set_property(TEST ${tests} PROPERTY FIXTURES_REQUIRED ${WINE_SERVER_FIXTURE})
    foreach(property IN LISTS properties)
        if(DEFINED ARG_${property})
            set_property(TEST ${tests} PROPERTY ${property} ${ARG_${property}})
        endif()
    endforeach()
endfunction()
