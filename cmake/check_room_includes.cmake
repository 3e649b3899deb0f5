# Refuses an include that runs the wrong way between the rooms of src/: every
# #include "<folder>/..." of a file in ROOM must name ROOM itself or one of ALLOWED (folders
# under src, ';'-separated). Run as a build step of each room's library:
#   cmake -DSRC=<src> -DROOM=ui/pages "-DALLOWED=ui/skin;editor;macros" -P check_room_includes.cmake
# A core folder (platform, settings, macros, device, editor) not in ALLOWED is refused too.
cmake_minimum_required(VERSION 3.25)
set(rooms ui/skin ui/pages ui/controls ui/popups ui/dialogs ui/macro_page ui/window
  platform settings macros device editor backends app)
file(GLOB files ${SRC}/${ROOM}/*.h ${SRC}/${ROOM}/*.cpp)
set(faults "")
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
    foreach(room ${rooms})
      string(LENGTH "${room}/" length)
      string(SUBSTRING "${header}" 0 ${length} prefix)
      if(prefix STREQUAL "${room}/" AND NOT room STREQUAL ROOM AND NOT room IN_LIST ALLOWED)
        file(RELATIVE_PATH shown ${SRC} ${file})
        string(APPEND faults "\n  ${shown} includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${ROOM} may include only ${ALLOWED}:${faults}")
endif()
