# The SZDD compressor's output expanded by the platform's LZ32 library
# (x86_64 tree, run under Wine). The compressor is built into the test so it
# runs in-process.
add_executable(szdd_lz32_roundtrip
    ${CMAKE_SOURCE_DIR}/tests/szdd/win32/lz32_roundtrip.cpp
    ${CMAKE_SOURCE_DIR}/tests/szdd/EdgeInputs.cpp
    ${CMAKE_SOURCE_DIR}/tools/szdd/szdd.cpp
    ${CMAKE_SOURCE_DIR}/tools/szdd/MatchFinder.cpp
    ${CMAKE_SOURCE_DIR}/tools/szdd/SegmentSearch.cpp
    ${CMAKE_SOURCE_DIR}/tools/szdd/PiecewiseParse.cpp
    ${CMAKE_SOURCE_DIR}/tools/szdd/BodyWriter.cpp
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(szdd_lz32_roundtrip PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(szdd_lz32_roundtrip PRIVATE lz32)
foreach(case lz32_tiny_files lz32_runs_and_initial_window lz32_ring_wrap
             lz32_incompressible_and_mixed)
    add_test(NAME szdd_${case} COMMAND szdd_lz32_roundtrip ${case})
endforeach()
