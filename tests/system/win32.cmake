# End-to-end runs of the built setup program under Wine. All cases share the
# prefix's registry and shell folders, so they never run side by side.
add_executable(system_tests
    ${CMAKE_SOURCE_DIR}/tests/system/SystemTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/InstallChecks.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/BuiltFiles.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ChildProcess.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/MachineState.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ShortcutReader.cpp
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(system_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(system_tests PRIVATE ole32 shell32 advapi32 user32 uuid)
set_target_properties(system_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/system)
add_dependencies(system_tests setup uninstaller browser_standin skin_standin lang_standin icons)
# The cases below are the x86_64 suite; the i686 tree picks a few of its own.
if(NOT WINE_TESTS)
    return()
endif()

foreach(system_case
        system_no_browser_six_result_lines
        system_two_running_browsers_are_ended
        system_silent_install_into_folder_with_blank
        system_silent_reinstall_overwrites_in_place
        system_silent_install_into_folder_without_blank
        system_uninstaller_refused_changes_nothing)
    add_test(NAME ${system_case}
             COMMAND system_tests ${system_case}
                     $<TARGET_FILE:setup> $<TARGET_FILE:uninstaller> $<TARGET_FILE:browser_standin>
                     $<TARGET_FILE:skin_standin> $<TARGET_FILE:lang_standin>
                     ${CMAKE_BINARY_DIR}/icons/qf11.ico ${STANDIN_SETTINGS_FILE})
    set_tests_properties(${system_case} PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 240)
endforeach()
unset(system_case)

# The i686 release, checked as a file: no emulator needed.
set(RELEASE_SETUP_EXE ${CMAKE_SOURCE_DIR}/dist/QuillfenSetup.exe CACHE FILEPATH
    "The i686 release of the setup program checked by the release_binary test")
add_test(NAME release_binary COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/release_binary.sh ${RELEASE_SETUP_EXE})
