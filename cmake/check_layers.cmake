# Fails when a file includes a layer it may not use.  Run at build time (see the top
# CMakeLists.txt): -DSOURCE_DIR=<source folder> -DSTAMP=<file written when all is well>.
#
# Each layer includes itself and the layers listed for it, all below it; the widget-free layers
# (image, model, solver, formats, maker, analysis, session) include no drawing, platform,
# resource or window code, and ngm-cli no window code.  The windows (construct, play, drawbox,
# app) may include every layer.  Outside solver/, only its one public header solver/solver.h is
# included: line logic, probing and the searches are the solver's own.
cmake_minimum_required(VERSION 3.25)
set(NGM_MAY_INCLUDE_image "")
set(NGM_MAY_INCLUDE_model image)
set(NGM_MAY_INCLUDE_solver model)
set(NGM_MAY_INCLUDE_formats image model)
set(NGM_MAY_INCLUDE_maker image model solver)
set(NGM_MAY_INCLUDE_analysis image model)
set(NGM_MAY_INCLUDE_session image model solver formats maker analysis)
set(NGM_MAY_INCLUDE_res "")
set(NGM_MAY_INCLUDE_platform image model res)
set(NGM_MAY_INCLUDE_render image model formats analysis platform)
set(NGM_MAY_INCLUDE_cli image model solver formats maker analysis session platform)
set(NGM_CHECKED image model solver formats maker analysis session res platform render cli)
set(NGM_ALL_FOLDERS ${NGM_CHECKED} construct play drawbox app tests bench puzzlegen fuzz)

function(ngm_source_files folder out)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp)
  set(${out} "${files}" PARENT_SCOPE)
endfunction()

set(broken "")
foreach(folder ${NGM_ALL_FOLDERS})
  ngm_source_files(${folder} files)
  foreach(file ${files})
    file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(line ${lines})
      string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" included "${line}")
      string(REGEX REPLACE "/.*" "" layer "${included}")
      if(folder IN_LIST NGM_CHECKED AND NOT layer STREQUAL folder
         AND NOT layer IN_LIST NGM_MAY_INCLUDE_${folder}
         AND IS_DIRECTORY ${SOURCE_DIR}/${layer})
        string(APPEND broken "\n  ${file} includes ${included}")
      elseif(layer STREQUAL "solver" AND NOT folder STREQUAL "solver"
             AND NOT included STREQUAL "solver/solver.h")
        string(APPEND broken "\n  ${file} includes ${included}, which is the solver's own")
      endif()
    endforeach()
  endforeach()
endforeach()
if(broken)
  file(REMOVE ${STAMP})
  message(FATAL_ERROR "A file includes a layer it may not use:${broken}")
endif()
file(TOUCH ${STAMP})
