# Icons drawn as text pixel art (see tools/mkicon): setup.ico is icon 128 of the
# setup program, caption.ico its caption icon 180, qf11.ico the browser's icon.
set(ICONS_SOURCE_DIR ${CMAKE_SOURCE_DIR}/res/icons)
set(ICONS_OUTPUT_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICONS_FILES)
foreach(icon_name setup caption qf11)
    add_custom_command(
        OUTPUT ${ICONS_OUTPUT_DIR}/${icon_name}.ico
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ICONS_OUTPUT_DIR}
        COMMAND ${MKICON} ${ICONS_OUTPUT_DIR}/${icon_name}.ico
                ${ICONS_SOURCE_DIR}/${icon_name}-32.txt ${ICONS_SOURCE_DIR}/${icon_name}-16.txt
        DEPENDS ${MKICON} ${ICONS_SOURCE_DIR}/${icon_name}-32.txt ${ICONS_SOURCE_DIR}/${icon_name}-16.txt
        COMMENT "Drawing icon ${icon_name}.ico"
        VERBATIM)
    list(APPEND ICONS_FILES ${ICONS_OUTPUT_DIR}/${icon_name}.ico)
endforeach()
unset(icon_name)
add_custom_target(icons DEPENDS ${ICONS_FILES})
