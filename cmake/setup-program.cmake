# The setup program, the uninstaller it carries, and the payload between them.

set(SETUP_CORE_SOURCES
    ${PORTABLE_SOURCES}
    app/SetupState.cpp
    app/Termination.cpp
    payload/TextResource.cpp
    payload/PayloadResource.cpp
    payload/IntegrityCheck.cpp
    engine/FolderTree.cpp
    engine/Extraction.cpp
    engine/ExtractionFolders.cpp
    engine/SilentExtraction.cpp
    engine/Registration.cpp
    engine/Shortcut.cpp
    engine/ShellFolder.cpp
    engine/Finish.cpp
    engine/Removal.cpp
    app/Modes.cpp
    pages/SetupDialog.cpp
    pages/LicensePage.cpp
    pages/ProgressPage.cpp
    pages/InstallRun.cpp
)
add_library(setupcore STATIC ${SETUP_CORE_SOURCES})
target_include_directories(setupcore PUBLIC ${CMAKE_SOURCE_DIR})
# LZ32 and COMCTL32 are not imported: they are loaded from the system folder
# at run time (fw/SystemLibrary.h).
target_link_libraries(setupcore PUBLIC dialogs fw ole32 shell32 advapi32 user32 gdi32 uuid)

set(RES_INCLUDES ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/icons)
set(LICENCE_FILE ${CMAKE_SOURCE_DIR}/res/licence.txt)
# Every payload folder also gets the integrity record of its resources.
set(WRITE_MANIFEST ${CMAKE_COMMAND} -DLICENCE=${LICENCE_FILE} -DINTEGRITY_RECORD=${INTEGRITY_RECORD})
set(WRITE_MANIFEST_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake ${LICENCE_FILE} ${INTEGRITY_RECORD})
set(COMMON_RES_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/common.rc ${CMAKE_SOURCE_DIR}/res/strings.rc
    ${CMAKE_SOURCE_DIR}/res/dialogs.rc ${CMAKE_SOURCE_DIR}/res/resource.h
    ${CMAKE_SOURCE_DIR}/res/program.rc ${CMAKE_SOURCE_DIR}/res/version.h ${CMAKE_SOURCE_DIR}/res/application.manifest
    ${CMAKE_BINARY_DIR}/icons/setup.ico ${CMAKE_BINARY_DIR}/icons/caption.ico)

function(add_setup_executable target build_kind_source rc_file)
    # The entry point and the application object are linked in directly: a
    # static library would leave them out.
    add_executable(${target} WIN32 fw/AppMain.cpp app/SetupApp.cpp app/${build_kind_source} ${rc_file})
    target_link_libraries(${target} PRIVATE setupcore)
    target_link_options(${target} PRIVATE ${SETUP_PROGRAM_LINK_OPTIONS})
    target_include_directories(${target} PRIVATE ${RES_INCLUDES} ${ARGN})
    add_dependencies(${target} icons)
endfunction()

# The uninstaller: the same program without payload; it only uninstalls.
# Its integrity record covers its one text, the empty manifest.
set(UNINSTALLER_RECORD_DIR ${CMAKE_BINARY_DIR}/uninstaller-record)
add_custom_command(OUTPUT ${UNINSTALLER_RECORD_DIR}/integrity.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${UNINSTALLER_RECORD_DIR}
    COMMAND ${INTEGRITY_RECORD} ${UNINSTALLER_RECORD_DIR}/integrity.bin
            TEXT:101=${CMAKE_SOURCE_DIR}/res/empty-manifest.txt
    DEPENDS ${CMAKE_SOURCE_DIR}/res/empty-manifest.txt ${INTEGRITY_RECORD})
add_custom_target(uninstaller_record DEPENDS ${UNINSTALLER_RECORD_DIR}/integrity.bin)
add_setup_executable(uninstaller UninstallerBuild.cpp res/uninstall.rc ${UNINSTALLER_RECORD_DIR})
set_target_properties(uninstaller PROPERTIES OUTPUT_NAME uninstall)
add_dependencies(uninstaller uninstaller_record)
set_source_files_properties(res/uninstall.rc PROPERTIES OBJECT_DEPENDS
    "${COMMON_RES_DEPENDS};${CMAKE_SOURCE_DIR}/res/empty-manifest.txt;${UNINSTALLER_RECORD_DIR}/integrity.bin")

# The payload, in manifest order: SZDD-compressed programs, libraries and icon,
# and the plain settings file.
set(PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
set(PAYLOAD_ENTRIES "")
set(PAYLOAD_FILES "")
function(add_compressed_payload manifest_path stored_name source_file source_target)
    set(stored ${PAYLOAD_DIR}/${stored_name})
    add_custom_command(OUTPUT ${stored}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PAYLOAD_DIR}
        COMMAND ${SZDD_COMPRESS} ${source_file} ${stored}
        DEPENDS ${source_file} ${source_target} ${SZDD_COMPRESS}
        COMMENT "Compressing ${manifest_path}")
    set(PAYLOAD_ENTRIES ${PAYLOAD_ENTRIES} "${manifest_path}=${stored}" PARENT_SCOPE)
    set(PAYLOAD_FILES ${PAYLOAD_FILES} ${stored} PARENT_SCOPE)
endfunction()

add_compressed_payload(quillfen.exe 900.bin $<TARGET_FILE:browser_standin> browser_standin)
add_compressed_payload(skin/default_en.dll 901.bin $<TARGET_FILE:skin_standin> skin_standin)
add_compressed_payload(en.dll 902.bin $<TARGET_FILE:lang_standin> lang_standin)
add_compressed_payload(qf11.ico 903.bin ${CMAKE_BINARY_DIR}/icons/qf11.ico icons)
add_compressed_payload(uninstall.exe 904.bin $<TARGET_FILE:uninstaller> uninstaller)
list(APPEND PAYLOAD_ENTRIES "qf11_default_en.txt=${STANDIN_SETTINGS_FILE}")
list(APPEND PAYLOAD_FILES ${STANDIN_SETTINGS_FILE})

string(REPLACE ";" "\\;" PAYLOAD_ENTRIES_ARG "${PAYLOAD_ENTRIES}")
add_custom_command(
    OUTPUT ${PAYLOAD_DIR}/manifest.txt ${PAYLOAD_DIR}/payload.rc ${PAYLOAD_DIR}/integrity.bin
    COMMAND ${WRITE_MANIFEST} -DOUT_DIR=${PAYLOAD_DIR} "-DENTRIES=${PAYLOAD_ENTRIES_ARG}"
            -P ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
    DEPENDS ${PAYLOAD_FILES} ${WRITE_MANIFEST_DEPENDS}
    COMMENT "Writing the payload manifest and integrity record")
add_custom_target(payload DEPENDS ${PAYLOAD_DIR}/manifest.txt ${PAYLOAD_DIR}/payload.rc ${PAYLOAD_DIR}/integrity.bin)

add_setup_executable(setup InstallerBuild.cpp res/setup.rc ${PAYLOAD_DIR})
set_target_properties(setup PROPERTIES OUTPUT_NAME QuillfenSetup)
add_dependencies(setup payload)
set_source_files_properties(res/setup.rc PROPERTIES OBJECT_DEPENDS
    "${COMMON_RES_DEPENDS};${LICENCE_FILE};${PAYLOAD_DIR}/manifest.txt;${PAYLOAD_DIR}/payload.rc;${PAYLOAD_DIR}/integrity.bin;${PAYLOAD_FILES}")

# For the tests: the same setup whose manifest lists one payload file more
# than it carries, so every installation with it is incomplete.
if(WINE_TESTS OR RELEASE_STAGE)
    set(SHORT_DIR ${CMAKE_BINARY_DIR}/payload-short)
    add_custom_command(
        OUTPUT ${SHORT_DIR}/manifest.txt ${SHORT_DIR}/payload.rc ${SHORT_DIR}/integrity.bin
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SHORT_DIR}
        COMMAND ${WRITE_MANIFEST} -DOUT_DIR=${SHORT_DIR} "-DENTRIES=${PAYLOAD_ENTRIES_ARG}"
                "-DEXTRA_ENTRY=missing.dat 100" -P ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
        DEPENDS ${PAYLOAD_FILES} ${WRITE_MANIFEST_DEPENDS})
    add_custom_target(payload_short DEPENDS ${SHORT_DIR}/manifest.txt ${SHORT_DIR}/payload.rc)
    add_setup_executable(setup_short_payload InstallerBuild.cpp res/setup.rc ${SHORT_DIR})
    add_dependencies(setup_short_payload payload_short)

    # And the same setup with one more payload file, of 0 bytes.
    set(ZERO_DIR ${CMAKE_BINARY_DIR}/payload-zero-entry)
    if(NOT EXISTS ${ZERO_DIR}/empty.dat)
        file(WRITE ${ZERO_DIR}/empty.dat "")
    endif()
    string(REPLACE ";" "\\;" ZERO_ENTRIES_ARG "${PAYLOAD_ENTRIES};empty.dat=${ZERO_DIR}/empty.dat")
    add_custom_command(
        OUTPUT ${ZERO_DIR}/manifest.txt ${ZERO_DIR}/payload.rc ${ZERO_DIR}/integrity.bin
        COMMAND ${WRITE_MANIFEST} -DOUT_DIR=${ZERO_DIR} "-DENTRIES=${ZERO_ENTRIES_ARG}"
                -P ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
        DEPENDS ${PAYLOAD_FILES} ${WRITE_MANIFEST_DEPENDS})
    add_custom_target(payload_zero_entry DEPENDS ${ZERO_DIR}/manifest.txt ${ZERO_DIR}/payload.rc)
    add_setup_executable(setup_zero_entry InstallerBuild.cpp res/setup.rc ${ZERO_DIR})
    add_dependencies(setup_zero_entry payload_zero_entry)
endif()

# For the benchmark: the same setup with an empty manifest and no payload, so
# its size is the program's own.
set(STUB_DIR ${CMAKE_BINARY_DIR}/payload-stub)
add_custom_command(
    OUTPUT ${STUB_DIR}/manifest.txt ${STUB_DIR}/payload.rc ${STUB_DIR}/integrity.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${STUB_DIR}
    COMMAND ${WRITE_MANIFEST} -DOUT_DIR=${STUB_DIR} -DENTRIES= -P ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
    DEPENDS ${WRITE_MANIFEST_DEPENDS})
add_custom_target(payload_stub DEPENDS ${STUB_DIR}/manifest.txt ${STUB_DIR}/payload.rc)
add_setup_executable(setup_stub InstallerBuild.cpp res/setup.rc ${STUB_DIR})
set_target_properties(setup_stub PROPERTIES OUTPUT_NAME QuillfenSetup-stub)
add_dependencies(setup_stub payload_stub)
