# Writes the payload manifest (TEXT 101), the resource lines of the payload
# (BIN 900 + i) from the stored files, so every listed size is a real size,
# and the integrity record of the licence (TEXT 100), manifest and payload.
#   cmake -DOUT_DIR=... [-DENTRIES_FILE=entries.txt] [-DEXTRA_ENTRY="name size"]
#         -DLICENCE=licence-text.txt -DINTEGRITY_RECORD=integrity-record -P WriteManifest.cmake
# ENTRIES_FILE (written by payload-pack) holds one "stored-file|path/in/folder|CRC"
# line per entry, in manifest order; paths use "/" there and are written with
# "\". A path may hold characters that CMake lists treat specially, so the
# lines are taken apart as text, never as a list. Each manifest line is
# "path stored-size CRC".
set(manifest "")
set(resources "// Generated: payload resources in manifest order.\n")
set(id 900)
set(record_entries "TEXT:100=${LICENCE}" "TEXT:101=${OUT_DIR}/manifest.txt")
set(listing "")
if(ENTRIES_FILE)
    file(READ "${ENTRIES_FILE}" listing)
endif()
while(NOT listing STREQUAL "")
    string(FIND "${listing}" "\n" end)
    string(SUBSTRING "${listing}" 0 ${end} line)
    math(EXPR rest "${end} + 1")
    string(SUBSTRING "${listing}" ${rest} -1 listing)
    string(FIND "${line}" "|" split)
    string(FIND "${line}" "|" last REVERSE)
    if(split EQUAL last)
        message(FATAL_ERROR "${ENTRIES_FILE}: \"${line}\" has no CRC; payload-pack is older than this build")
    endif()
    string(SUBSTRING "${line}" 0 ${split} file)
    math(EXPR start "${split} + 1")
    math(EXPR length "${last} - ${start}")
    string(SUBSTRING "${line}" ${start} ${length} name)
    math(EXPR start "${last} + 1")
    string(SUBSTRING "${line}" ${start} -1 crc)
    file(SIZE "${file}" size)
    string(REPLACE "/" "\\" name "${name}")
    string(APPEND manifest "${name} ${size} ${crc}\r\n")
    string(APPEND resources "${id} BIN \"${file}\"\n")
    list(APPEND record_entries "BIN:${id}=${file}")
    math(EXPR id "${id} + 1")
endwhile()
# A test build lists one entry more than it carries.
if(EXTRA_ENTRY)
    string(APPEND manifest "${EXTRA_ENTRY}\r\n")
endif()
string(APPEND manifest "$")
file(WRITE "${OUT_DIR}/manifest.txt" "${manifest}")
file(WRITE "${OUT_DIR}/payload.rc" "${resources}")
execute_process(COMMAND ${INTEGRITY_RECORD} ${OUT_DIR}/integrity.bin ${record_entries} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "integrity-record failed: ${failed}")
endif()
