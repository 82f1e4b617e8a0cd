# Shared compile settings and the one helper every module uses for its tests.
add_library(project_options INTERFACE)
target_include_directories(project_options INTERFACE ${CMAKE_SOURCE_DIR})
target_compile_options(project_options INTERFACE -Wall -Wextra -Wpedantic)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 at -O3 reports overlapping copies inside std::string's own operator+ and replace
  # (GCC bug 105329, mended in GCC 13): the optimised package build would otherwise warn.
  target_compile_options(project_options INTERFACE -Wno-restrict)
endif()
if(WERROR)
  target_compile_options(project_options INTERFACE -Werror)
endif()
if(SANITIZE)
  target_compile_options(project_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

if(WITH_FUZZERS)
  target_compile_options(project_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

# A static library made of every .cpp in a module folder (tests/ and fuzz/ excluded).
function(add_module_library name dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC project_options ${ARGN})
  else()
    # A module whose sources are still to come: headers only, for now.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE project_options ${ARGN})
  endif()
endfunction()

# One GoogleTest executable per module, registered with CTest with a pinned environment.
function(add_module_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} platform_core_testing GTest::gtest
    GTest::gtest_main project_options)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC"
    TIMEOUT 300)
endfunction()

# libFuzzer target: only built with clang and WITH_FUZZERS.
function(add_module_fuzzer name source)
  if(NOT WITH_FUZZERS)
    return()
  endif()
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARGN})
endfunction()

# output: the file compressed the way Debian wants it (best compression, no name or time stamp
# inside), remade by the target whenever the file changes.
function(add_gzipped target file output)
  string(REGEX REPLACE "\\.gz$" "" plain ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${plain}
    COMMAND gzip -9 -n -f ${plain}
    DEPENDS ${file} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# A program: main.cpp wires the window to the Qt services; everything else in the folder links
# into <name>_app so the Qt-level tests (tests/*.cpp, with QtTest) can start the real window.
# DESKTOP_ID names the launcher, the icon and the AppStream metadata the program installs from
# share/ (<name>.desktop.in, <name>.svg, <name>.metainfo.xml.in) with its manual page
# (<name>.1); the program tells the desktop the same name at run time.
function(add_program name window_library)
  cmake_parse_arguments(P "" "DESKTOP_ID" "MODULES" ${ARGN})
  file(GLOB app_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER app_srcs EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name}_app STATIC ${app_srcs})
  target_link_libraries(${name}_app PUBLIC ${window_library} platform_qt)
  target_compile_definitions(${name}_app PRIVATE DESKTOP_ID="${P_DESKTOP_ID}")
  add_executable(${name} main.cpp)
  target_link_libraries(${name} PRIVATE ${name}_app)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  add_module_test(${name}_app_tests SOURCES ${tests} LIBS ${name}_app platform_qt_testing Qt6::Test)

  # The modules it loads when first needed (platform/qt/modules.h) lie at the same place beside
  # the program in the build folder and installed, <libdir>/<program>, so the program finds them
  # from its own folder.
  file(RELATIVE_PATH modules_folder ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/${name})
  target_compile_definitions(${name}_app PRIVATE MODULES_FOLDER="${modules_folder}")
  set(placed ${CMAKE_CURRENT_BINARY_DIR}/${modules_folder})
  set(copies COMMAND ${CMAKE_COMMAND} -E make_directory ${placed})
  foreach(module ${P_MODULES})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${module}> ${placed})
  endforeach()
  add_custom_target(${name}_modules ${copies} VERBATIM)
  add_dependencies(${name}_modules ${P_MODULES})
  add_dependencies(${name} ${name}_modules)
  add_dependencies(${name}_app_tests ${name}_modules)
  install(TARGETS ${P_MODULES} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/${name})
  # Whether a module is loaded at start shows only in a run of its own.
  add_test(NAME ${name}_modules_when_first_needed COMMAND ${name}_app_tests
    --gtest_filter=AppTest.ModulesAreLoadedWhenFirstNeededNotAtStart)
  set_tests_properties(${name}_modules_when_first_needed PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC")

  set(PROGRAM ${name})
  set(DESKTOP_ID ${P_DESKTOP_ID})
  set(share ${CMAKE_CURRENT_SOURCE_DIR}/share)
  configure_file(${share}/${name}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/${DESKTOP_ID}.metainfo.xml @ONLY)
  configure_file(${share}/${name}.1 ${CMAKE_CURRENT_BINARY_DIR}/${name}.1 @ONLY)
  add_gzipped(${name}_manual ${CMAKE_CURRENT_BINARY_DIR}/${name}.1
    ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1.gz)
  add_dependencies(${name} ${name}_manual)
  # The program fails at once, in one line, where no window can open (see no_display_test).
  add_test(NAME ${name}_without_display COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${name}>
    -P ${CMAKE_SOURCE_DIR}/cmake/no_display_test.cmake)

  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The launcher starts the program by its full installed path, so it works from a prefix that
  # is not on PATH; that path is known only when installing (cmake --install --prefix).
  install(CODE "set(TEMPLATE [[${share}/${name}.desktop.in]])
    set(LAUNCHER [[${CMAKE_CURRENT_BINARY_DIR}/${DESKTOP_ID}.desktop]])
    set(PROGRAM ${name})
    set(DESKTOP_ID ${DESKTOP_ID})
    set(BINDIR [[${CMAKE_INSTALL_BINDIR}]])
    include([[${CMAKE_SOURCE_DIR}/cmake/launcher.cmake]])")
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${DESKTOP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${share}/${name}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${DESKTOP_ID}.svg)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${DESKTOP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
