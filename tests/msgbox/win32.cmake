# The setup message box run inside the test process (x86_64 tree, under
# Wine): layout, answers, texts, ownership, and what it draws.
add_executable(msgbox_tests
    ${CMAKE_SOURCE_DIR}/tests/msgbox/BoxDriver.cpp
    ${CMAKE_SOURCE_DIR}/tests/msgbox/LayoutCases.cpp
    ${CMAKE_SOURCE_DIR}/tests/msgbox/AnswerCases.cpp
    ${CMAKE_SOURCE_DIR}/tests/msgbox/ScreenshotCase.cpp
    ${CMAKE_SOURCE_DIR}/tests/msgbox/TextBlockCases.cpp
    ${CMAKE_SOURCE_DIR}/tests/msgbox/msgbox_tests.rc
    ${CMAKE_SOURCE_DIR}/tests/harness/check.cpp)
target_include_directories(msgbox_tests PRIVATE ${CMAKE_SOURCE_DIR} ${RES_INCLUDES})
target_link_libraries(msgbox_tests PRIVATE pages)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/msgbox/msgbox_tests.rc PROPERTIES OBJECT_DEPENDS
    "${COMMON_RES_DEPENDS}")
set_target_properties(msgbox_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/msgbox)
add_dependencies(msgbox_tests icons)

foreach(case msgbox_textblock_lines_and_empty_lines
             msgbox_textblock_line_feeds_at_the_ends
             msgbox_textblock_never_reads_past_the_end
             msgbox_one_line_readable_font
             msgbox_uninstall_question_is_four_lines
             msgbox_line_feeds_at_the_ends
             msgbox_long_line_is_not_wrapped
             msgbox_ok_button_centred_above_bottom
             msgbox_yesno_buttons_relabelled_side_by_side
             msgbox_okcancel_buttons_keep_their_labels
             msgbox_ok_answers
             msgbox_yesno_answers
             msgbox_okcancel_answers
             msgbox_texts_from_string_table
             msgbox_owner_disabled_while_open
             msgbox_without_active_window_centred_on_work_area
             msgbox_topmost_flag
             msgbox_uninstall_question_drawn_readable)
    add_test(NAME ${case} COMMAND msgbox_tests ${case})
    # One box on the display at a time: activation and captures stay apart.
    set_tests_properties(${case} PROPERTIES TIMEOUT 120 RESOURCE_LOCK msgbox_display
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests/msgbox)
endforeach()
unset(case)
