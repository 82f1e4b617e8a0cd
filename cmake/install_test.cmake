# Installs the build into a fresh temporary prefix and checks what a desktop finds there: both
# programs answering --version, a launcher naming the installed program, an icon, AppStream
# metadata and a manual page for each, validated by desktop-file-validate and appstreamcli when
# they are installed.
# Each program's modules lie in LIBDIR/<program>.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVERSION=... -DLIBDIR=... -P install_test.cmake
cmake_minimum_required(VERSION 3.25)

function(fail)
  string(JOIN "" message ${ARGN})
  message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  fail("cmake --install failed:\n${out}")
endif()

set(share ${PREFIX}/share)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE)
  message(STATUS "desktop-file-validate not installed: launchers not validated")
endif()
if(NOT APPSTREAMCLI)
  message(STATUS "appstreamcli not installed: metadata not validated")
endif()

file(GLOB launchers ${share}/applications/*.desktop)
list(LENGTH launchers count)
if(NOT count EQUAL 2)
  fail("expected two launchers, found: ${launchers}")
endif()

foreach(launcher ${launchers})
  get_filename_component(id ${launcher} NAME_WLE)
  file(STRINGS ${launcher} exec REGEX "^Exec=")
  file(STRINGS ${launcher} icon REGEX "^Icon=")
  string(REPLACE "Exec=" "" exec "${exec}")
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" exec "${exec}")
  string(REPLACE "Icon=" "" icon "${icon}")

  # The launcher starts the installed program by its full path, PATH or not; the program knows
  # its version without a display.
  get_filename_component(program "${exec}" NAME)
  set(exe ${PREFIX}/bin/${program})
  if(NOT exec STREQUAL exe OR NOT EXISTS ${exe})
    fail("${id}: Exec=${exec}, expected the installed ${exe}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    --unset=QT_QPA_PLATFORM ${exe} --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    fail("${program} --version: status ${status}, said '${out}' '${err}'")
  endif()
  execute_process(COMMAND ${exe} --help RESULT_VARIABLE status OUTPUT_VARIABLE out)
  if(NOT status EQUAL 0 OR NOT out MATCHES "--version")
    fail("${program} --help: status ${status}, said '${out}'")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${exe} --bogus
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 2 OR NOT err MATCHES "--bogus")
    fail("${program} --bogus: status ${status}, said '${err}'")
  endif()

  # Named alike: the launcher, its icon and its metadata.
  if(NOT icon STREQUAL id)
    fail("${id}: Icon=${icon}, expected the launcher's own name")
  endif()
  set(svg ${share}/icons/hicolor/scalable/apps/${id}.svg)
  set(metainfo ${share}/metainfo/${id}.metainfo.xml)
  foreach(file ${svg} ${metainfo} ${share}/man/man1/${program}.1.gz)
    if(NOT EXISTS ${file})
      fail("${id}: ${file} is not installed")
    endif()
  endforeach()
  file(READ ${svg} picture)
  if(NOT picture MATCHES "<svg")
    fail("${svg} is no SVG picture")
  endif()

  if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${launcher}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0 OR NOT out STREQUAL "")
      fail("desktop-file-validate ${launcher}:\n${out}")
    endif()
  endif()
  if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${metainfo}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
      fail("appstreamcli validate ${metainfo}:\n${out}")
    endif()
  endif()
endforeach()

foreach(module sugarlog/downloads.so sugarlog/printing.so pulsewise/printing.so)
  if(NOT EXISTS ${PREFIX}/${LIBDIR}/${module})
    fail("the module ${module} is not installed in ${PREFIX}/${LIBDIR}")
  endif()
endforeach()

if(APPSTREAMCLI)
  # The metadata's launchable and icon must be found where the desktop looks for them.
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    fail("appstreamcli validate-tree ${PREFIX}:\n${out}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
