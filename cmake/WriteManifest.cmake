# Writes the payload manifest (TEXT 101) and the resource lines of the payload
# (BIN 900 + i) from the stored files, so every listed size is a real size.
#   cmake -DOUT_DIR=... -DENTRIES="path/in/folder=stored-file;..." [-DEXTRA_ENTRY="name size"]
#         -P WriteManifest.cmake
# Manifest paths use "/" here and are written with "\".
set(manifest "")
set(resources "// Generated: payload resources in manifest order.\n")
set(id 900)
foreach(entry IN LISTS ENTRIES)
    string(FIND "${entry}" "=" split)
    string(SUBSTRING "${entry}" 0 ${split} name)
    math(EXPR start "${split} + 1")
    string(SUBSTRING "${entry}" ${start} -1 file)
    file(SIZE "${file}" size)
    string(REPLACE "/" "\\" name "${name}")
    string(APPEND manifest "${name} ${size}\r\n")
    string(APPEND resources "${id} BIN \"${file}\"\n")
    math(EXPR id "${id} + 1")
endforeach()
# A test build lists one entry more than it carries.
if(EXTRA_ENTRY)
    string(APPEND manifest "${EXTRA_ENTRY}\r\n")
endif()
string(APPEND manifest "$")
file(WRITE "${OUT_DIR}/manifest.txt" "${manifest}")
file(WRITE "${OUT_DIR}/payload.rc" "${resources}")
