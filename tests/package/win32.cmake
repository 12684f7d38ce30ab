# A browser build of its own, packaged the way scripts/package.sh packages
# one and installed under Wine: the stand-in browser, icon and settings at
# the top, a text and an empty file below docs/, and a gzip archive (which
# does not compress further, so it is stored plain) below data/.
set(PACKAGE_TEST_DIR ${CMAKE_BINARY_DIR}/package-test)
set(PACKAGE_TEST_FOLDER ${PACKAGE_TEST_DIR}/folder)
add_custom_command(OUTPUT ${PACKAGE_TEST_DIR}/folder.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PACKAGE_TEST_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_TEST_FOLDER}/docs/notes ${PACKAGE_TEST_FOLDER}/data
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:browser_standin> ${PACKAGE_TEST_FOLDER}/quillfen.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/icons/qf11.ico ${PACKAGE_TEST_FOLDER}/qf11.ico
    COMMAND ${CMAKE_COMMAND} -E copy ${STANDIN_SETTINGS_FILE} ${PACKAGE_TEST_FOLDER}/qf11_default_en.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${PACKAGE_TEST_FOLDER}/docs/readme.txt
    COMMAND ${CMAKE_COMMAND} -E touch ${PACKAGE_TEST_FOLDER}/docs/notes/empty.txt
    COMMAND ${CMAKE_COMMAND} -E chdir ${PACKAGE_TEST_FOLDER}/docs
            ${CMAKE_COMMAND} -E tar cfz ${PACKAGE_TEST_FOLDER}/data/readme.tar.gz readme.txt
    COMMAND ${CMAKE_COMMAND} -E touch ${PACKAGE_TEST_DIR}/folder.stamp
    DEPENDS browser_standin icons ${STANDIN_SETTINGS_FILE} ${CMAKE_SOURCE_DIR}/README.md
    VERBATIM)
add_setup_with_payload(setup_packaged_test STAGE ${PACKAGE_TEST_DIR}/stage LICENCE ${STANDIN_LICENCE}
    OUTPUT_DIRECTORY ${PACKAGE_TEST_DIR} OUTPUT_NAME QuillfenSetup
    PACK --folder ${PACKAGE_TEST_FOLDER} --add-uninstaller $<TARGET_FILE:uninstaller>
    DEPENDS ${PACKAGE_TEST_DIR}/folder.stamp uninstaller)

add_executable(package_tests
    ${CMAKE_SOURCE_DIR}/tests/package/PackagedInstall.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/InstallChecks.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ChildProcess.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/MachineState.cpp
    ${CMAKE_SOURCE_DIR}/tests/system/ShortcutReader.cpp
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(package_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(package_tests PRIVATE ole32 shell32 advapi32 user32 uuid)
set_target_properties(package_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/package)
add_dependencies(package_tests setup_packaged_test)

add_test(NAME package_custom_folder_installs_byte_for_byte
         COMMAND package_tests package_custom_folder_installs_byte_for_byte
                 $<TARGET_FILE:setup_packaged_test> $<TARGET_FILE:uninstaller> ${PACKAGE_TEST_FOLDER})
set_tests_properties(package_custom_folder_installs_byte_for_byte PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 240)
