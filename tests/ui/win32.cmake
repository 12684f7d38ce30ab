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

add_test_program(ui_tests ui LIBRARIES fw ole32 shell32 advapi32 user32 gdi32 gdiplus uuid
    SOURCES tests/ui/WizardCases.cpp tests/ui/UninstallCases.cpp tests/ui/ScreenshotCase.cpp tests/ui/Screenshot.cpp
            tests/ui/Dialogs.cpp tests/ui/Flows.cpp tests/ui/SetupRun.cpp tests/ui/UiMachine.cpp
            ${MACHINE_TEST_SOURCES})
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

# The real mouse and the screen copies need the display to themselves too.
add_wine_cases(ui_tests ARGS ${UI_TEST_ARGS} RESOURCE_LOCK wineprefix display msgbox_display TIMEOUT 300
    CASES ui_wizard_install ui_licence_no_then_no_installs_nothing ui_licence_no_then_yes_shows_licence_again
          ui_licence_escape_and_close_button_ask_resume ui_licence_close_command_asks_exit_question
          ui_cancel_before_first_file_asks_resume ui_short_payload_is_rolled_back
          ui_empty_manifest_registers_and_finishes ui_uninstall_folder_with_blanks ui_uninstall_no_changes_nothing
          ui_uninstall_twice ui_uninstall_after_silent_install ui_installed_uninstaller
          ui_uninstall_command_line_variants ui_uninstall_desktop_at_drive_root ui_first_windows_drawn_active)
