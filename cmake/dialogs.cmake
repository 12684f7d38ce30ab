# The dialog layer: the skin and the setup pages, shared by the programs and
# the in-process dialog tests.
add_library(dialogs STATIC
    skin/SkinDialog.cpp
    skin/SkinCaption.cpp
    skin/SkinCloseButton.cpp
    skin/SkinClient.cpp
    pages/MessageTextBlock.cpp
    pages/SetupMessageBox.cpp
    pages/SetupMessageCalls.cpp
)
target_include_directories(dialogs PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(dialogs PUBLIC fw user32 gdi32)
