# In-process tests of the skinned dialog frame (x86_64 tree, run under Wine).
# Each case opens the test dialog modally and drives it from inside its own
# message handling.
add_test_program(skin_tests skin LIBRARIES skin
    SOURCES tests/skin/SkinTestDialog.cpp tests/skin/CaptionTests.cpp tests/skin/CloseButtonTests.cpp
            tests/skin/ClientTests.cpp tests/skin/skin_test.rc)
target_include_directories(skin_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/skin ${CMAKE_BINARY_DIR}/icons)
set_source_files_properties(tests/skin/skin_test.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/tests/skin/skin_test_resource.h;${CMAKE_BINARY_DIR}/icons/caption.ico")
add_dependencies(skin_tests icons)

# Every case shows a window on the shared display.
add_wine_cases(skin_tests RESOURCE_LOCK display TIMEOUT 120
    CASES skin_caption_geometry_with_icon skin_caption_geometry_without_icon skin_caption_colour_follows_activation
          skin_caption_stay_active_and_disabled skin_ncpaint_region_missing_caption skin_ncpaint_whole_window
          skin_set_text_rebuilds_caption skin_system_colour_and_font_changes skin_close_release_off_button
          skin_close_release_back_on_button skin_close_release_without_capture skin_close_press_elsewhere_in_caption
          skin_control_colours_by_type skin_erase_background_grey skin_owner_button_pressed_shift
          skin_owner_button_focus_toggle)
