# A browser build of its own, packaged the way scripts/package.sh packages
# one and installed under Wine: the stand-in browser, icon and settings at
# the top, a text and an empty file below docs/, a gzip archive (which does
# not compress further, so it is stored plain) below data/, and a dictionary
# nine folders deep, as real builds carry them (125 characters of path).
set(PACKAGE_TEST_DIR ${CMAKE_BINARY_DIR}/package-test)
set(PACKAGE_TEST_FOLDER ${PACKAGE_TEST_DIR}/folder)
set(PACKAGE_TEST_DEEP resources/app/extensions/builtin/language-packs/spelling-dictionaries/english-united-kingdom/data/hunspell)
add_custom_command(OUTPUT ${PACKAGE_TEST_DIR}/folder.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PACKAGE_TEST_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_TEST_FOLDER}/docs/notes ${PACKAGE_TEST_FOLDER}/data
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:browser_standin> ${PACKAGE_TEST_FOLDER}/quillfen.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/icons/qf11.ico ${PACKAGE_TEST_FOLDER}/qf11.ico
    COMMAND ${CMAKE_COMMAND} -E copy ${STANDIN_SETTINGS_FILE} ${PACKAGE_TEST_FOLDER}/qf11_default_en.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${PACKAGE_TEST_FOLDER}/docs/readme.txt
    COMMAND ${CMAKE_COMMAND} -E touch ${PACKAGE_TEST_FOLDER}/docs/notes/empty.txt
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_TEST_FOLDER}/${PACKAGE_TEST_DEEP}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/licence.txt
            ${PACKAGE_TEST_FOLDER}/${PACKAGE_TEST_DEEP}/hunspell-en-gb.dic
    COMMAND ${CMAKE_COMMAND} -E chdir ${PACKAGE_TEST_FOLDER}/docs
            ${CMAKE_COMMAND} -E tar cfz ${PACKAGE_TEST_FOLDER}/data/readme.tar.gz readme.txt
    COMMAND ${CMAKE_COMMAND} -E touch ${PACKAGE_TEST_DIR}/folder.stamp
    DEPENDS browser_standin icons ${STANDIN_SETTINGS_FILE} ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/res/licence.txt
    VERBATIM)
add_setup_with_payload(setup_packaged_test STAGE ${PACKAGE_TEST_DIR}/stage LICENCE ${STANDIN_LICENCE}
    OUTPUT_DIRECTORY ${PACKAGE_TEST_DIR} OUTPUT_NAME QuillfenSetup
    PACK --folder ${PACKAGE_TEST_FOLDER} --add-uninstaller $<TARGET_FILE:uninstaller>
    DEPENDS ${PACKAGE_TEST_DIR}/folder.stamp uninstaller)

add_test_program(package_tests package LIBRARIES ole32 shell32 advapi32 user32 uuid
    SOURCES tests/package/PackagedInstall.cpp ${MACHINE_TEST_SOURCES})
add_dependencies(package_tests setup_packaged_test)

add_wine_cases(package_tests ARGS $<TARGET_FILE:setup_packaged_test> $<TARGET_FILE:uninstaller> ${PACKAGE_TEST_FOLDER}
               RESOURCE_LOCK wineprefix TIMEOUT 240 CASES package_custom_folder_installs_byte_for_byte)
