# Fails when a source file includes a folder above its own layer. The layers, lowest first:
#   platform  <  language, design  <  data, paging, search, totals_export  <  control
# A feature folder (the third layer) includes no other feature folder, and only control/ includes
# <tessaro/Tessaro.h>. Every top folder needs a layer, so a new folder is placed on purpose.
#
#   cmake -DSOURCE_DIR=<src> [-DEXEMPT_DIR=<dir>] -P CheckLayers.cmake
#
# EXEMPT_DIR/<folder>.txt (one folder a line) lists what <folder> may still include while the
# features move out of control/; the last step of that move deletes the folder and EXEMPT_DIR.
cmake_minimum_required(VERSION 3.21)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(EXEMPT_DIR)
  get_filename_component(EXEMPT_DIR "${EXEMPT_DIR}" ABSOLUTE)
endif()
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "CheckLayers: SOURCE_DIR '${SOURCE_DIR}' is not a folder")
endif()

set(layer_platform 0)
set(layer_language 1)
set(layer_design 1)
set(layer_data 2)
set(layer_paging 2)
set(layer_search 2)
set(layer_totals_export 2)
set(layer_control 3)
set(feature_layer 2)

# The top folder an include names, or "" for a system or public header; <tessaro/Tessaro.h> is
# the control's own.
function(included_folder line result)
  string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*$" "\\1" path "${line}")
  set(folder "")
  if(path STREQUAL "tessaro/Tessaro.h")
    set(folder control)
  elseif(path MATCHES "^([^/]+)/")
    set(folder "${CMAKE_MATCH_1}")
  endif()
  set(${result} "${folder}" PARENT_SCOPE)
  set(${result}_path "${path}" PARENT_SCOPE)
endfunction()

function(crosses_upwards from to result)
  set(up FALSE)
  if("${layer_${to}}" GREATER "${layer_${from}}")
    set(up TRUE)
  elseif("${layer_${to}}" EQUAL feature_layer AND "${layer_${from}}" EQUAL feature_layer)
    set(up TRUE)
  endif()
  if(up AND EXEMPT_DIR AND EXISTS "${EXEMPT_DIR}/${from}.txt")
    file(STRINGS "${EXEMPT_DIR}/${from}.txt" allowed)
    if(to IN_LIST allowed)
      set(up FALSE)
    endif()
  endif()
  set(${result} ${up} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(violations "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+/" from "${source}")
  string(REGEX REPLACE "/$" "" from "${from}")
  if(from STREQUAL "" OR NOT DEFINED layer_${from})
    list(APPEND violations "${source}: its folder has no layer")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    included_folder("${line}" to)
    if(to STREQUAL "" OR to STREQUAL from OR NOT DEFINED layer_${to})
      continue()
    endif()
    crosses_upwards(${from} ${to} up)
    if(up)
      list(APPEND violations "${source}: includes ${to_path}: ${from}/ may not include ${to}/")
    endif()
  endforeach()
endforeach()

if(violations)
  list(LENGTH violations count)
  list(JOIN violations "\n  " listing)
  message(FATAL_ERROR "${count} include(s) cross the layers upwards:\n  ${listing}")
endif()
message(STATUS "Layers hold in ${SOURCE_DIR}")
