# The setup program, the uninstaller it carries, and the payload between them.

set(RES_INCLUDES ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/icons)
set(COMMON_RES_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/common.rc ${CMAKE_SOURCE_DIR}/res/strings.rc
    ${CMAKE_SOURCE_DIR}/res/dialogs.rc ${CMAKE_SOURCE_DIR}/res/resource.h
    ${CMAKE_SOURCE_DIR}/res/program.rc ${CMAKE_SOURCE_DIR}/res/version.h ${CMAKE_SOURCE_DIR}/res/application.manifest
    ${CMAKE_SOURCE_DIR}/payload/InstallNames.h
    ${CMAKE_BINARY_DIR}/icons/setup.ico ${CMAKE_BINARY_DIR}/icons/caption.ico)

function(add_setup_executable target build_kind_source rc_file)
    add_executable(${target} WIN32 ${FW_ENTRY_SOURCE} ${APP_OBJECT_SOURCE} ${build_kind_source} ${rc_file})
    target_link_libraries(${target} PRIVATE app)
    setup_code(${target})
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
add_setup_executable(uninstaller ${APP_UNINSTALLER_SOURCE} res/uninstall.rc ${UNINSTALLER_RECORD_DIR})
set_target_properties(uninstaller PROPERTIES OUTPUT_NAME uninstall)
add_dependencies(uninstaller uninstaller_record)
set_source_files_properties(res/uninstall.rc PROPERTIES OBJECT_DEPENDS
    "${COMMON_RES_DEPENDS};${CMAKE_SOURCE_DIR}/res/empty-manifest.txt;${UNINSTALLER_RECORD_DIR}/integrity.bin")

# A setup program carrying the payload of the folder STAGE. payload-pack
# writes the licence as TEXT 100 holds it and, given PACK arguments (a folder
# or PATH=FILE pairs), checks the payload and stores each file in its smaller
# form; WriteManifest.cmake then writes the manifest, the payload's resource
# lines and the integrity record. Without PACK the stage carries the entries
# of ENTRIES_FILE, or none.
#   add_setup_with_payload(target STAGE dir LICENCE file [PACK args...] [ENTRIES_FILE file]
#       [EXTRA_ENTRY "name size"] [DEPENDS files-or-targets...] [OUTPUT_NAME name]
#       [OUTPUT_DIRECTORY dir] [EXCLUDE_FROM_ALL])
function(add_setup_with_payload target)
    cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "STAGE;LICENCE;ENTRIES_FILE;EXTRA_ENTRY;OUTPUT_NAME;OUTPUT_DIRECTORY"
                          "PACK;DEPENDS" ${ARGN})
    set(stage ${ARG_STAGE})
    set(outputs ${stage}/licence-text.txt ${stage}/manifest.txt ${stage}/payload.rc ${stage}/integrity.bin)
    set(entries "${ARG_ENTRIES_FILE}")
    set(pack "")
    if(ARG_PACK)
        set(entries ${stage}/entries.txt)
        list(APPEND outputs ${entries})
        set(pack COMMAND ${PAYLOAD_PACK} payload --stage ${stage} --szdd-compress ${SZDD_COMPRESS}
                 ${ARG_PACK})
    endif()
    add_custom_command(OUTPUT ${outputs}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
        COMMAND ${PAYLOAD_PACK} licence ${ARG_LICENCE} ${stage}/licence-text.txt
        ${pack}
        COMMAND ${CMAKE_COMMAND} -DOUT_DIR=${stage} -DENTRIES_FILE=${entries} "-DEXTRA_ENTRY=${ARG_EXTRA_ENTRY}"
                -DLICENCE=${stage}/licence-text.txt -DINTEGRITY_RECORD=${INTEGRITY_RECORD}
                -P ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
        DEPENDS ${ARG_LICENCE} ${ARG_DEPENDS} ${PAYLOAD_PACK} ${SZDD_COMPRESS} ${INTEGRITY_RECORD}
                ${CMAKE_SOURCE_DIR}/cmake/WriteManifest.cmake
        COMMENT "Packing the payload of ${target}" VERBATIM)
    add_custom_target(${target}_payload DEPENDS ${outputs})
    # A resource script of its own, so that only this program depends on the stage.
    file(CONFIGURE OUTPUT ${stage}/setup-resources.rc CONTENT "#include \"setup.rc\"\n")
    add_setup_executable(${target} ${APP_INSTALLER_SOURCE} ${stage}/setup-resources.rc ${stage})
    add_dependencies(${target} ${target}_payload)
    set_source_files_properties(${stage}/setup-resources.rc PROPERTIES OBJECT_DEPENDS
        "${COMMON_RES_DEPENDS};${CMAKE_SOURCE_DIR}/res/setup.rc;${outputs}")
    if(ARG_OUTPUT_NAME)
        set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
    endif()
    if(ARG_OUTPUT_DIRECTORY)
        set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
    endif()
    if(ARG_EXCLUDE_FROM_ALL)
        set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL TRUE)
    endif()
endfunction()

# The release built by default: the stand-in payload, in the order of the
# manifest.
set(STANDIN_LICENCE ${CMAKE_SOURCE_DIR}/res/licence.txt)
set(STANDIN_ENTRIES
    quillfen.exe=$<TARGET_FILE:browser_standin> skin/default_en.dll=$<TARGET_FILE:skin_standin>
    en.dll=$<TARGET_FILE:lang_standin> qf11.ico=${CMAKE_BINARY_DIR}/icons/qf11.ico
    uninstall.exe=$<TARGET_FILE:uninstaller> qf11_default_en.txt=${STANDIN_SETTINGS_FILE})
set(STANDIN_DEPENDS browser_standin skin_standin lang_standin uninstaller icons ${CMAKE_BINARY_DIR}/icons/qf11.ico
    ${STANDIN_SETTINGS_FILE})
add_setup_with_payload(setup STAGE ${CMAKE_BINARY_DIR}/payload LICENCE ${STANDIN_LICENCE} OUTPUT_NAME QuillfenSetup
    PACK ${STANDIN_ENTRIES} DEPENDS ${STANDIN_DEPENDS})

# The release of a browser build (scripts/package.sh): the folder's files and
# the uninstaller. The folder is read when the setup is built; package.sh
# removes the stage's entries.txt first, so every run reads it again.
set(PAYLOAD_FOLDER "" CACHE PATH "Browser build carried by setup_package (scripts/package.sh)")
set(PAYLOAD_LICENCE "" CACHE FILEPATH "Licence text of setup_package")
if(PAYLOAD_FOLDER)
    add_setup_with_payload(setup_package STAGE ${CMAKE_BINARY_DIR}/package-payload LICENCE ${PAYLOAD_LICENCE}
        OUTPUT_NAME QuillfenSetup OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package EXCLUDE_FROM_ALL
        PACK --folder ${PAYLOAD_FOLDER} --add-uninstaller $<TARGET_FILE:uninstaller>
        DEPENDS uninstaller)
endif()

# For the tests: the same setup whose manifest lists one payload file more
# than it carries, so every installation with it is incomplete.
if(WINE_TESTS OR RELEASE_STAGE)
    add_setup_with_payload(setup_short_payload STAGE ${CMAKE_BINARY_DIR}/payload-short LICENCE ${STANDIN_LICENCE}
        ENTRIES_FILE ${CMAKE_BINARY_DIR}/payload/entries.txt EXTRA_ENTRY "missing.dat 100"
        DEPENDS ${CMAKE_BINARY_DIR}/payload/entries.txt)

    # And the same setup with one more payload file, of 0 bytes.
    set(ZERO_DIR ${CMAKE_BINARY_DIR}/payload-zero-entry)
    if(NOT EXISTS ${ZERO_DIR}/empty.dat)
        file(WRITE ${ZERO_DIR}/empty.dat "")
    endif()
    add_setup_with_payload(setup_zero_entry STAGE ${ZERO_DIR} LICENCE ${STANDIN_LICENCE}
        PACK ${STANDIN_ENTRIES} empty.dat=${ZERO_DIR}/empty.dat DEPENDS ${STANDIN_DEPENDS})
endif()

# For the benchmark: the same setup with an empty manifest and no payload, so
# its size is the program's own.
add_setup_with_payload(setup_stub STAGE ${CMAKE_BINARY_DIR}/payload-stub LICENCE ${STANDIN_LICENCE}
    OUTPUT_NAME QuillfenSetup-stub)
