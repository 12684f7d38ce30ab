# End-to-end UI tests: the built setup program run under Wine and driven
# through its windows. A small hook library, set on the program's
# user-interface thread, records the texts it sets and paints.
set(UI_TEST_DIR ${CMAKE_BINARY_DIR}/tests/ui)
set(UI_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)

add_library(ui_hook SHARED ${CMAKE_SOURCE_DIR}/tests/ui/UiHook.cpp)
set_target_properties(ui_hook PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${UI_TEST_DIR})
target_link_libraries(ui_hook PRIVATE user32)
# The tests look the hook procedures up by their plain names; i686 would
# export the CALLBACK ones as Name@12.
target_link_options(ui_hook PRIVATE -Wl,--kill-at)
target_include_directories(ui_hook PRIVATE ${CMAKE_SOURCE_DIR})

# The machine-state helpers of the system tests are shared, not copied.
add_executable(ui_tests
    ${CMAKE_SOURCE_DIR}/tests/ui/WizardCases.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/UninstallCases.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/ScreenshotCase.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/Screenshot.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/Dialogs.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/Flows.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/SetupRun.cpp
    ${CMAKE_SOURCE_DIR}/tests/ui/UiMachine.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/InstallChecks.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ChildProcess.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/MachineState.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ShortcutReader.cpp
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(ui_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(ui_tests PRIVATE fw ole32 shell32 advapi32 user32 gdi32 gdiplus uuid)
set_target_properties(ui_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${UI_TEST_DIR})
add_dependencies(ui_tests ui_hook setup setup_short_payload setup_stub uninstaller browser_standin skin_standin lang_standin
                 icons)

set(UI_TEST_ARGS
    $<TARGET_FILE:setup> $<TARGET_FILE:setup_short_payload> $<TARGET_FILE:setup_stub> $<TARGET_FILE:uninstaller>
    $<TARGET_FILE:browser_standin> $<TARGET_FILE:skin_standin> $<TARGET_FILE:lang_standin>
    ${CMAKE_BINARY_DIR}/icons/qf11.ico ${STANDIN_SETTINGS_FILE} ${CMAKE_SOURCE_DIR}/res/licence.txt
    $<TARGET_FILE:ui_hook> ${UI_SCREENSHOT_DIR})
# The cases below are the x86_64 suite; the i686 tree picks a few of its own.
if(NOT WINE_TESTS)
    return()
endif()

foreach(ui_case
        ui_wizard_install
        ui_licence_no_then_no_installs_nothing
        ui_licence_no_then_yes_shows_licence_again
        ui_licence_escape_and_close_button_ask_resume
        ui_licence_close_command_asks_exit_question
        ui_cancel_before_first_file_asks_resume
        ui_short_payload_is_rolled_back
        ui_empty_manifest_registers_and_finishes
        ui_uninstall_folder_with_blanks
        ui_uninstall_no_changes_nothing
        ui_uninstall_twice
        ui_uninstall_after_silent_install
        ui_installed_uninstaller
        ui_uninstall_command_line_variants
        ui_uninstall_desktop_at_drive_root
        ui_first_windows_drawn_active)
    add_test(NAME ${ui_case} COMMAND ui_tests ${ui_case} ${UI_TEST_ARGS})
    # The real mouse and the screen copies need the display to themselves too.
    set_tests_properties(${ui_case} PROPERTIES RESOURCE_LOCK "wineprefix;display;msgbox_display" TIMEOUT 300)
endforeach()
unset(ui_case)
