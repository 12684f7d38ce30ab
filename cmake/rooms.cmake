# The program's rooms, one folder each, built one way: fw -> payload, skin ->
# state -> engine -> pages -> app; nothing uses a room above its own. Each
# folder's CMakeLists.txt lists its sources once, with add_room:
#   add_room(NAME [PORTABLE files...] [WINDOWS files...] [ROOMS rooms below...] [SYSTEM libraries...])
# PORTABLE sources need no Windows: they are built natively too, for the unit
# tests and the host tools. The rest are built only into the Windows trees,
# where every room is setup code (setup_code, cmake/windows.cmake).
function(add_room name)
    cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS;ROOMS;SYSTEM" ${ARGN})
    set(sources ${ARG_PORTABLE})
    if(CMAKE_CROSSCOMPILING)
        list(APPEND sources ${ARG_WINDOWS})
    endif()
    if(NOT sources)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    foreach(room ${ARG_ROOMS})
        if(TARGET ${room})
            target_link_libraries(${name} PUBLIC ${room})
        endif()
    endforeach()
    if(CMAKE_CROSSCOMPILING)
        target_link_libraries(${name} PUBLIC ${ARG_SYSTEM})
        setup_code(${name})
    endif()
endfunction()

foreach(room fw payload skin state engine pages app)
    add_subdirectory(${room})
endforeach()
