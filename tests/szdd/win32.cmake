# The SZDD compressor's output expanded by the platform's LZ32 library
# (x86_64 tree, run under Wine). The compressor is built into the test so it
# runs in-process.
add_test_program(szdd_lz32_roundtrip szdd LIBRARIES lz32
    SOURCES tests/szdd/win32/lz32_roundtrip.cpp tests/szdd/EdgeInputs.cpp tools/szdd/szdd.cpp
            tools/szdd/MatchFinder.cpp tools/szdd/SegmentSearch.cpp tools/szdd/PiecewiseParse.cpp
            tools/szdd/BodyWriter.cpp)
add_wine_cases(szdd_lz32_roundtrip PREFIX szdd_
    CASES lz32_tiny_files lz32_runs_and_initial_window lz32_ring_wrap lz32_incompressible_and_mixed)
