# In-process tests of the skinned dialog frame (x86_64 tree, run under Wine).
# Each case opens the test dialog modally and drives it from inside its own
# message handling.
add_executable(skin_tests
    ${CMAKE_SOURCE_DIR}/tests/skin/SkinTestDialog.cpp
    ${CMAKE_SOURCE_DIR}/tests/skin/CaptionTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/skin/CloseButtonTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/skin/ClientTests.cpp
    ${CMAKE_SOURCE_DIR}/tests/skin/skin_test.rc
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(skin_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/skin
                                              ${CMAKE_BINARY_DIR}/icons)
target_link_libraries(skin_tests PRIVATE skin)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/skin/skin_test.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/tests/skin/skin_test_resource.h;${CMAKE_BINARY_DIR}/icons/caption.ico")
add_dependencies(skin_tests icons)

foreach(skin_case
        skin_caption_geometry_with_icon
        skin_caption_geometry_without_icon
        skin_caption_colour_follows_activation
        skin_caption_stay_active_and_disabled
        skin_ncpaint_region_missing_caption
        skin_ncpaint_whole_window
        skin_set_text_rebuilds_caption
        skin_system_colour_and_font_changes
        skin_close_release_off_button
        skin_close_release_back_on_button
        skin_close_release_without_capture
        skin_close_press_elsewhere_in_caption
        skin_control_colours_by_type
        skin_erase_background_grey
        skin_owner_button_pressed_shift
        skin_owner_button_focus_toggle)
    add_test(NAME ${skin_case} COMMAND skin_tests ${skin_case})
    # Every case shows a window on the shared display.
    set_tests_properties(${skin_case} PROPERTIES RESOURCE_LOCK display TIMEOUT 120)
endforeach()
unset(skin_case)
