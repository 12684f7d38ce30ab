# Writes the payload manifest (TEXT 101), the resource lines of the payload
# (BIN 900 + i) from the stored files, so every listed size is a real size,
# and the integrity record of the licence (TEXT 100), manifest and payload.
#   cmake -DOUT_DIR=... -DENTRIES="path/in/folder=stored-file;..." [-DEXTRA_ENTRY="name size"]
#         -DLICENCE=licence.txt -DINTEGRITY_RECORD=integrity-record -P WriteManifest.cmake
# Manifest paths use "/" here and are written with "\".
set(manifest "")
set(resources "// Generated: payload resources in manifest order.\n")
set(id 900)
set(record_entries "TEXT:100=${LICENCE}" "TEXT:101=${OUT_DIR}/manifest.txt")
foreach(entry IN LISTS ENTRIES)
    string(FIND "${entry}" "=" split)
    string(SUBSTRING "${entry}" 0 ${split} name)
    math(EXPR start "${split} + 1")
    string(SUBSTRING "${entry}" ${start} -1 file)
    file(SIZE "${file}" size)
    string(REPLACE "/" "\\" name "${name}")
    string(APPEND manifest "${name} ${size}\r\n")
    string(APPEND resources "${id} BIN \"${file}\"\n")
    list(APPEND record_entries "BIN:${id}=${file}")
    math(EXPR id "${id} + 1")
endforeach()
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
