# Installs the built library into a fresh prefix, then configures, builds and runs a separate
# host project against it with find_package(Tessaro CONFIG), and builds and runs the same host
# with a plain compiler call given the flags of `pkg-config tessaro`. When the Qt Designer
# plugin was built (DESIGNER_PLUGIN, its path under the prefix), checks that the installed
# plugin finds the installed library by itself.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

include("${CMAKE_CURRENT_LIST_DIR}/../support/HostSteps.cmake")

run_step(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
foreach(header tessaro/Tessaro.h tessaro/tessaro_export.h)
  if(NOT EXISTS "${prefix}/include/${header}")
    message(FATAL_ERROR "The install lacks include/${header}")
  endif()
endforeach()
build_host("${SOURCE_DIR}/tests/package/host" "${WORK_DIR}/host-build" "${prefix}")
run_step("${WORK_DIR}/host-build/tessaro-package-host")
if(NOT step_output MATCHES "Query=0x68030006")
  message(FATAL_ERROR "The host did not see the control's members:\n${step_output}")
endif()
message(STATUS "Host built and ran against the installed package:\n${step_output}")

# The host again, as a build without CMake makes it. Only the prefix's pkg-config folder is added
# to the search path, so Qt's own .pc files must come from the system, as the Requires line names them.
set(ENV{PKG_CONFIG_PATH} "${prefix}/${LIBDIR}/pkgconfig")
find_program(PKG_CONFIG pkg-config REQUIRED)
run_step(${PKG_CONFIG} --cflags --libs tessaro)
string(STRIP "${step_output}" pc_flags)
if(NOT pc_flags MATCHES "-ltessaro")
  message(FATAL_ERROR "pkg-config gives no library: ${pc_flags}")
endif()
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
run_step(${PKG_CONFIG} --variable=libdir tessaro)
string(STRIP "${step_output}" pc_libdir)
separate_arguments(host_flag_list UNIX_COMMAND "${host_flags}")
set(pc_host "${WORK_DIR}/pkg-config-host")
run_step(${CXX} -std=c++17 ${host_flag_list} "${SOURCE_DIR}/tests/package/host/main.cpp" ${pc_flags}
         "-Wl,-rpath,${pc_libdir}" -o "${pc_host}")
run_step("${pc_host}")
if(NOT step_output MATCHES "Query=0x68030006")
  message(FATAL_ERROR "The pkg-config host did not see the control's members:\n${step_output}")
endif()
message(STATUS "Host built with pkg-config flags ${pc_flags} and ran")

if(DESIGNER_PLUGIN)
  set(plugin "${prefix}/${DESIGNER_PLUGIN}")
  if(NOT EXISTS "${plugin}")
    message(FATAL_ERROR "The install lacks the Qt Designer plugin ${DESIGNER_PLUGIN}")
  endif()
  # Designer loads the plugin without the prefix's lib folder on any search path.
  unset(ENV{LD_LIBRARY_PATH})
  run_step(ldd "${plugin}")
  string(REGEX MATCH "libtessaro\\.so[^\n]*" tessaro_line "${step_output}")
  string(FIND "${tessaro_line}" "=> ${prefix}/" found_in_prefix)
  if(found_in_prefix EQUAL -1)
    message(FATAL_ERROR "The installed Designer plugin does not find the installed library:\n${step_output}")
  endif()
  message(STATUS "The Designer plugin finds ${tessaro_line}")
endif()
