# Installs the built library into a prefix, moves the whole prefix elsewhere, then builds and
# runs a host against the moved library: the library must find the language files of the moved
# install, not those of where it was installed, nor a copy in the user's cache.
file(REMOVE_RECURSE "${WORK_DIR}")
set(installed "${WORK_DIR}/installed")
set(moved "${WORK_DIR}/elsewhere/moved")

include("${CMAKE_CURRENT_LIST_DIR}/../support/HostSteps.cmake")

run_step(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${installed}")
file(MAKE_DIRECTORY "${WORK_DIR}/elsewhere")
file(RENAME "${installed}" "${moved}")

build_host("${SOURCE_DIR}/tests/relocated/host" "${WORK_DIR}/host-build" "${moved}")
file(MAKE_DIRECTORY "${WORK_DIR}/cache")
run_step(${CMAKE_COMMAND} -E env "XDG_CACHE_HOME=${WORK_DIR}/cache" "${WORK_DIR}/host-build/tessaro-relocated-host")

if(NOT step_output MATCHES "folder=([^\n]*)\ncaption=([^\n]*)\n")
  message(FATAL_ERROR "The host printed no folder and caption:\n${step_output}")
endif()
set(folder "${CMAKE_MATCH_1}")
set(caption "${CMAKE_MATCH_2}")
file(REAL_PATH "${moved}/share/tessaro/languages/English" expected)
file(REAL_PATH "${folder}" found)
if(NOT found STREQUAL expected OR NOT EXISTS "${found}/English.lng")
  message(FATAL_ERROR "languageFolder(\"English\") gave '${folder}', not the moved install's ${expected}")
endif()
# The caption of optTutti is LE16 of the moved install's English file.
file(STRINGS "${expected}/English.lng" all_rows REGEX "^LE16=")
if(NOT all_rows MATCHES "^LE16=\"(.*)\"$" OR NOT caption STREQUAL CMAKE_MATCH_1)
  message(FATAL_ERROR "The control shows '${caption}' for all rows, the moved file says: ${all_rows}")
endif()
message(STATUS "The moved install found its languages in ${folder}; all rows read '${caption}'")
