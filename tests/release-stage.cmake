# The i686 stage: the release file itself (dist/QuillfenSetup.exe, not a
# rebuild) run under 32-bit Wine in the i686 tree's own win32 prefix, driven
# by the same test programs as the x86_64 suite, built for i686. A smoke of
# the release, not a second suite: a silent installation, the wizard's Accept
# and No->No paths, uninstall mode with the folder and the installed
# uninstaller. Running browsers are not ended under qemu-i386 (it cannot read
# another process's modules), so no case here depends on that.
# ctest prints the stage's time in its label summary (label i686-release).
include(tests/system/win32.cmake)
include(tests/ui/win32.cmake)

set(RELEASE_SETUP_EXE ${CMAKE_SOURCE_DIR}/dist/QuillfenSetup.exe CACHE FILEPATH
    "The i686 release of the setup program run by the i686 stage")
# The payload sources the installed files must equal are this tree's.
set(release_system_args ${RELEASE_SETUP_EXE} ${SYSTEM_TEST_FILES})
set(release_ui_args ${UI_TEST_ARGS})
list(REMOVE_AT release_ui_args 0)
list(PREPEND release_ui_args ${RELEASE_SETUP_EXE})

foreach(release_case
        system_no_browser_six_result_lines
        system_silent_reinstall_overwrites_in_place
        ui_wizard_install
        ui_licence_no_then_no_installs_nothing
        ui_uninstall_folder_with_blanks
        ui_installed_uninstaller)
    if(release_case MATCHES "^ui_")
        add_test(NAME i686_${release_case} COMMAND ui_tests ${release_case} ${release_ui_args})
    else()
        add_test(NAME i686_${release_case} COMMAND system_tests ${release_case} ${release_system_args})
    endif()
    # 77: this machine runs no 32-bit programs (tests/wine/wine32-run).
    set_tests_properties(i686_${release_case} PROPERTIES RESOURCE_LOCK "wineprefix32;display;msgbox_display"
                         TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS i686-release)
endforeach()
unset(release_case)
