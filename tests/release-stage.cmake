# The i686 stage: the release file itself (dist/QuillfenSetup.exe, not a
# rebuild) run under 32-bit Wine in the i686 tree's own win32 prefix, driven
# by the same test programs as the x86_64 suite, built for i686. A smoke of
# the release, not a second suite: a silent installation, the wizard's Accept
# and No->No paths, uninstall mode with the folder and the installed
# uninstaller. On the NT family, running browsers are not ended under
# qemu-i386 (it cannot read another process's modules), so no case depends
# on that; Windows 98, which only 32-bit Wine can report, walks modules
# through the server and is tested here.
# ctest prints the stage's time in its label summary (label i686-release).
include(tests/wine/cases.cmake)
include(tests/system/win32.cmake)
include(tests/ui/win32.cmake)

set(RELEASE_SETUP_EXE ${CMAKE_SOURCE_DIR}/dist/QuillfenSetup.exe CACHE FILEPATH
    "The i686 release of the setup program run by the i686 stage")
# The payload sources the installed files must equal are this tree's.
set(release_system_args ${RELEASE_SETUP_EXE} ${SYSTEM_TEST_FILES})
set(release_ui_args ${UI_TEST_ARGS})
list(REMOVE_AT release_ui_args 0)
list(PREPEND release_ui_args ${RELEASE_SETUP_EXE})

# 77: this machine runs no 32-bit programs (tests/wine/wine32-run). The
# stage's time includes the start of its wineserver and background processes.
set_tests_properties(i686_wineserver_start i686_wineserver_stop PROPERTIES LABELS i686-release)
set(release_properties PREFIX i686_ RESOURCE_LOCK wineprefix32 display msgbox_display TIMEOUT 300
    SKIP_RETURN_CODE 77 LABELS i686-release)
add_wine_cases(system_tests ARGS ${release_system_args} ${release_properties}
    CASES system_no_browser_six_result_lines system_silent_reinstall_overwrites_in_place
          system_windows98_ends_the_upper_case_name_and_upgrades_past_the_other)
add_wine_cases(ui_tests ARGS ${release_ui_args} ${release_properties}
    CASES ui_wizard_install ui_licence_no_then_no_installs_nothing ui_uninstall_folder_with_blanks
          ui_installed_uninstaller)
