# A program started where no window can open says so in one line and exits with status 1 (no
# abort, no core dump); --help and --version still answer there.
#   cmake -DPROGRAM=/path/to/program -P no_display_test.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(command ${PROGRAM} NAME)
set(expected "${command}: cannot open a window: no display\n")
set(without_display --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)

# What each start is given, and whether it answers (0) or refuses to open a window (1).
set(cases
  "no display variable|1"
  "QT_QPA_PLATFORM=xcb|1"
  "QT_QPA_PLATFORM=wayland|1"
  "DISPLAY=:9876|1"
  "--version|0"
  "--help|0")
foreach(case ${cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 given)
  list(GET case 1 status_expected)
  set(environment)
  set(arguments)
  if(given MATCHES "=")
    set(environment "${given}")
  elseif(given MATCHES "^--")
    set(arguments ${given})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${without_display} ${environment}
    ${PROGRAM} ${arguments}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status STREQUAL status_expected)
    message(FATAL_ERROR "${command} with ${given}: status ${status}, said '${out}' '${err}'")
  endif()
  if(status_expected EQUAL 1)
    # A display that is named but not there lets Qt say first why it failed.
    if(given MATCHES "^DISPLAY=")
      set(pattern "(^|\n)${expected}$")
    else()
      set(pattern "^${expected}$")
    endif()
    if(NOT out STREQUAL "" OR NOT err MATCHES "${pattern}")
      message(FATAL_ERROR "${command} with ${given}: said '${out}' '${err}', "
        "expected '${expected}'")
    endif()
  elseif(NOT out MATCHES "${command}")
    message(FATAL_ERROR "${command} ${given}: said '${out}' '${err}'")
  endif()
endforeach()
