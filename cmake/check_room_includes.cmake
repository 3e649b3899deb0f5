# Refuses an include that runs the wrong way between the rooms of src/: every
# #include "<folder>/<file>" of a file in ROOM whose folder is a room must name ROOM itself or
# one of ALLOWED (rooms, ';'-separated). A room is a folder of src that holds sources
# (platform, ui/skin, backends/linux, ...); an include of a folder that is no room is left to
# the compiler. Run as a build step of each room's library:
#   cmake -DSRC=<src> -DROOM=ui/pages "-DALLOWED=ui/skin;editor;macros" -P check_room_includes.cmake
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(rooms "")
foreach(source ${sources})
  get_filename_component(folder "${source}" DIRECTORY)
  list(APPEND rooms "${folder}")
endforeach()
list(REMOVE_DUPLICATES rooms)

file(GLOB files ${SRC}/${ROOM}/*.h ${SRC}/${ROOM}/*.cpp)
set(faults "")
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
    cmake_path(SET header NORMALIZE "${header}")
    get_filename_component(room "${header}" DIRECTORY)
    if(room IN_LIST rooms AND NOT room STREQUAL ROOM AND NOT room IN_LIST ALLOWED)
      file(RELATIVE_PATH shown ${SRC} ${file})
      string(APPEND faults "\n  ${shown} includes ${header}")
    endif()
  endforeach()
endforeach()
if(faults)
  string(REPLACE ";" ", " floors "${ALLOWED}")
  message(FATAL_ERROR "${ROOM} may include only ${floors}:${faults}")
endif()
