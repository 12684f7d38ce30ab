# End-to-end runs of the built setup program under Wine. All cases share the
# prefix's registry and shell folders, so they never run side by side.
# The machine-state helpers, shared by the test programs that run a setup.
set(MACHINE_TEST_SOURCES tests/system/InstallChecks.cpp tests/system/ChildProcess.cpp tests/system/MachineState.cpp
    tests/system/ShortcutReader.cpp tests/system/UnixCommand.cpp)
add_test_program(system_tests system LIBRARIES ole32 shell32 advapi32 user32 uuid
    SOURCES tests/system/SystemTests.cpp tests/system/SafetyTests.cpp tests/system/PlantTests.cpp
            tests/system/UninstallerTests.cpp tests/system/BuiltFiles.cpp
            ${MACHINE_TEST_SOURCES} app/Termination.cpp fw/SystemLibrary.cpp)
add_dependencies(system_tests setup setup_zero_entry setup_short_payload uninstaller browser_standin skin_standin
                 lang_standin icons planted_lz32 planted_psapi planted_comctl32)
# What every case gets after the setup under test (tests/system/BuiltFiles.h).
set(SYSTEM_TEST_FILES
    $<TARGET_FILE:uninstaller> $<TARGET_FILE:browser_standin> $<TARGET_FILE:skin_standin> $<TARGET_FILE:lang_standin>
    ${CMAKE_BINARY_DIR}/icons/qf11.ico ${STANDIN_SETTINGS_FILE} $<TARGET_FILE:setup_zero_entry>
    $<TARGET_FILE:setup_short_payload>)

# DLLs with system names that a user could find next to a downloaded setup:
# loading one leaves a marker file beside it.
foreach(planted lz32 psapi comctl32)
    add_library(planted_${planted} SHARED ${CMAKE_SOURCE_DIR}/tests/system/PlantedLibrary.cpp)
    set_target_properties(planted_${planted} PROPERTIES OUTPUT_NAME ${planted} PREFIX ""
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/system/planted
        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/system/planted-lib)
endforeach()
unset(planted)
# The cases below are the x86_64 suite; the i686 tree picks a few of its own.
if(NOT WINE_TESTS)
    return()
endif()

add_wine_cases(system_tests ARGS $<TARGET_FILE:setup> ${SYSTEM_TEST_FILES} RESOURCE_LOCK wineprefix TIMEOUT 240
    CASES system_no_browser_six_result_lines system_two_running_browsers_are_ended
          system_silent_install_past_protected_browser system_silent_reinstall_overwrites_in_place
          system_silent_install_zero_byte_entry_without_uninstall_key system_uninstaller_refused_changes_nothing
          system_damaged_setup_changes_nothing system_unusable_default_value_runs_the_wizard
          system_planted_dlls_are_not_loaded system_planted_links_are_not_followed
          system_failed_runs_keep_the_installation system_quiet_uninstall_leaves_only_the_users_files)
set_tests_properties(system_planted_dlls_are_not_loaded PROPERTIES
    ENVIRONMENT "WINEDLLOVERRIDES=mscoree,mshtml=\\;lz32,psapi,comctl32=n,b")

# The i686 release, checked as a file: no emulator needed.
set(RELEASE_SETUP_EXE ${CMAKE_SOURCE_DIR}/dist/QuillfenSetup.exe CACHE FILEPATH
    "The i686 release of the setup program checked by the release_binary test")
add_test(NAME release_binary COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/release_binary.sh ${RELEASE_SETUP_EXE})

# What Windows reads from the programs before running them: version
# resource, manifest and PE checksum, in the x86_64 build and the release.
add_test(NAME program_identity_setup COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/program_identity.sh
         $<TARGET_FILE:setup> "Quillfen 11.0 Setup" QuillfenSetup.exe)
add_test(NAME program_identity_uninstaller COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/program_identity.sh
         $<TARGET_FILE:uninstaller> "Quillfen 11.0 Uninstaller" uninstall.exe)
add_test(NAME program_identity_release COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/program_identity.sh
         ${RELEASE_SETUP_EXE} "Quillfen 11.0 Setup" QuillfenSetup.exe)

# Signing with a throwaway certificate, then a silent installation with the
# signed x86_64 setup.
set(SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)
add_test(NAME release_signing COMMAND sh ${CMAKE_SOURCE_DIR}/tests/system/signing.sh
         ${SIGNED_DIR} $<TARGET_FILE:setup> ${RELEASE_SETUP_EXE})
set_tests_properties(release_signing PROPERTIES FIXTURES_SETUP signed_setup)
add_test(NAME system_signed_setup_installs
         COMMAND system_tests system_silent_reinstall_overwrites_in_place ${SIGNED_DIR}/x64/QuillfenSetup.exe
                 ${SYSTEM_TEST_FILES})
set_tests_properties(system_signed_setup_installs PROPERTIES
                     FIXTURES_REQUIRED "signed_setup;${WINE_SERVER_FIXTURE}" RESOURCE_LOCK wineprefix TIMEOUT 240)
