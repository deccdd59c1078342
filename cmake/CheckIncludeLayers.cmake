# Holds the folders to their layers: every `#include "folder/..."` in a source
# folder named in the table must name its own folder or one its row allows.
# Run as `cmake -DSOURCE_DIR=<tree> -P CheckIncludeLayers.cmake`; it names the
# file and line of each include the table does not allow and fails.
cmake_minimum_required(VERSION 3.24)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckIncludeLayers: SOURCE_DIR is not set")
endif()
if(NOT TABLE)
  set(TABLE ${CMAKE_CURRENT_LIST_DIR}/include-layers.txt)
endif()

file(STRINGS ${TABLE} rows REGEX "^[a-z]")
set(folders)
foreach(row ${rows})
  string(REGEX REPLACE "[ \t]+" ";" words "${row}")
  list(POP_FRONT words folder)
  list(APPEND folders ${folder})
  set(allowed_${folder} ${folder} ${words})
endforeach()

set(faults 0)
set(includes 0)
foreach(folder ${folders})
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
       ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${SOURCE_DIR}/${source} lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]+\"([^\"/]+)/[^\"]*\"")
        math(EXPR includes "${includes} + 1")
        set(target ${CMAKE_MATCH_1})
        # Includes of folders the table does not know (a test kit, a
        # generated header) are not a layer's business.
        if(target IN_LIST folders AND NOT target IN_LIST allowed_${folder})
          message(NOTICE "${source}:${number}: ${folder}/ may not include ${target}/: ${line}")
          math(EXPR faults "${faults} + 1")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(includes EQUAL 0)
  message(FATAL_ERROR "CheckIncludeLayers: no includes found below ${SOURCE_DIR}")
endif()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the layers; the allowed folders of each "
                      "folder are in ${TABLE}")
endif()
message(STATUS "${includes} includes between folders keep to ${TABLE}")
