# Steps shared by the scripts that build and run a host against an installed library
# (cmake -P). Expects HOST_FLAGS (a list, possibly empty) to be set.

# Runs a command; stops the script with its output when it fails, else leaves its standard
# output in `step_output`.
function(run_step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Step failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

# An instrumented library needs an instrumented host: the flags it was built with, as one string.
string(REPLACE ";" " " host_flags "${HOST_FLAGS}")

# Configures and builds the host project in `source` into `build`, finding the library under `prefix`.
function(build_host source build prefix)
  run_step(${CMAKE_COMMAND} -S "${source}" -B "${build}" "-DCMAKE_PREFIX_PATH=${prefix}"
           "-DCMAKE_CXX_FLAGS=${host_flags}")
  run_step(${CMAKE_COMMAND} --build "${build}")
endfunction()
