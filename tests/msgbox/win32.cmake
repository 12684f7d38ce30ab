# The setup message box run inside the test process (x86_64 tree, under
# Wine): layout, answers, texts, ownership, and what it draws.
add_test_program(msgbox_tests msgbox LIBRARIES pages
    SOURCES tests/msgbox/BoxDriver.cpp tests/msgbox/LayoutCases.cpp tests/msgbox/AnswerCases.cpp
            tests/msgbox/ScreenshotCase.cpp tests/msgbox/msgbox_tests.rc)
target_include_directories(msgbox_tests PRIVATE ${RES_INCLUDES})
set_source_files_properties(tests/msgbox/msgbox_tests.rc PROPERTIES OBJECT_DEPENDS "${COMMON_RES_DEPENDS}")
add_dependencies(msgbox_tests icons)

# One box on the display at a time: activation and captures stay apart.
add_wine_cases(msgbox_tests RESOURCE_LOCK msgbox_display TIMEOUT 120
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests/msgbox
    CASES msgbox_one_line_readable_font msgbox_uninstall_question_is_four_lines msgbox_line_feeds_at_the_ends
          msgbox_long_line_is_not_wrapped msgbox_ok_button_centred_above_bottom
          msgbox_yesno_buttons_relabelled_side_by_side msgbox_okcancel_buttons_keep_their_labels msgbox_ok_answers
          msgbox_yesno_answers msgbox_okcancel_answers msgbox_texts_from_string_table
          msgbox_owner_disabled_while_open msgbox_without_active_window_centred_on_work_area msgbox_topmost_flag
          msgbox_uninstall_question_drawn_readable)
