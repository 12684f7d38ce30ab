# Win32 helpers of the benchmark (x86_64 tree, run under Wine).
add_executable(extraction-floor ${CMAKE_SOURCE_DIR}/bench/win32/extraction_floor_main.cpp)
target_link_libraries(extraction-floor PRIVATE lz32)
set_target_properties(extraction-floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
