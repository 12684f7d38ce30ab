# Win32 tests of the payload stand-ins. The built files are laid out like an
# installation in tests/standins/installed; each case copies what it needs
# from there into a temporary folder and runs the browser stand-in in it.
set(STANDINS_TEST_DIR ${CMAKE_BINARY_DIR}/tests/standins)
set(STANDINS_INSTALLED_DIR ${STANDINS_TEST_DIR}/installed)

add_test_program(standins_test standins SOURCES tests/standins/StandinsTest.cpp)

add_custom_target(standins_test_files
    COMMAND ${CMAKE_COMMAND} -E make_directory ${STANDINS_INSTALLED_DIR}/skin
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:browser_standin> ${STANDINS_INSTALLED_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:skin_standin> ${STANDINS_INSTALLED_DIR}/skin/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lang_standin> ${STANDINS_INSTALLED_DIR}/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${STANDIN_SETTINGS_FILE} ${STANDINS_INSTALLED_DIR}/
    VERBATIM)
add_dependencies(standins_test_files browser_standin skin_standin lang_standin)
add_dependencies(standins_test standins_test_files)

# The setup tests end every running quillfen.exe of the shared prefix.
add_wine_cases(standins_test RESOURCE_LOCK wineprefix
    CASES standins_settings_file_bytes standins_libraries_are_resource_only standins_browser_carries_icon
          standins_browser_reports_all_loaded standins_browser_reports_missing_libraries
          standins_browser_runs_without_settings)
