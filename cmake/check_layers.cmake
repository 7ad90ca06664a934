# Fails when a file of a lower layer includes a higher one.  Run at build time (see the top
# CMakeLists.txt): -DSOURCE_DIR=<source folder> -DSTAMP=<file written when all is well>.
#
# The widget-free layers (image, model, solver, formats, maker, analysis, session) include no
# drawing, platform, resource or window code; ngm-cli includes no window code.
cmake_minimum_required(VERSION 3.25)
set(NGM_WIDGET_FREE image model solver formats maker analysis session)
set(NGM_ABOVE render platform res construct play drawbox app)
set(NGM_CLI_ABOVE construct play drawbox app render res)
# The one include across the line that is still there: the board layout gives its cells as
# the drawing surfaces' points and rectangles.
set(NGM_KNOWN "model/board_layout.h -> platform/gdi.h")

function(ngm_check_folder folder above)
  list(JOIN above "|" pattern)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${pattern})/")
    foreach(line ${lines})
      string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" included "${line}")
      if(NOT "${file} -> ${included}" IN_LIST NGM_KNOWN)
        set(broken "${broken}\n  ${file} includes ${included}")
      endif()
    endforeach()
  endforeach()
  set(broken "${broken}" PARENT_SCOPE)
endfunction()

set(broken "")
foreach(folder ${NGM_WIDGET_FREE})
  ngm_check_folder(${folder} "${NGM_ABOVE}")
endforeach()
ngm_check_folder(cli "${NGM_CLI_ABOVE}")
if(broken)
  file(REMOVE ${STAMP})
  message(FATAL_ERROR "A lower layer includes a higher one:${broken}")
endif()
file(TOUCH ${STAMP})
