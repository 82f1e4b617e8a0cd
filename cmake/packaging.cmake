# The Debian package of both programs: `cpack -G DEB` in a Release build (scripts/package.sh).
# Every install, into a prefix or into the package, carries the copyright notice and the
# changelog beside the programs' other files.

file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^${PROJECT_NAME} \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with '${latest}': "
    "it needs an entry for ${PROJECT_NAME} ${PROJECT_VERSION} on top")
endif()
add_gzipped(healthcharts_changelog ${CMAKE_SOURCE_DIR}/packaging/changelog
  ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Health charts developers")
set(CPACK_PACKAGE_CONTACT "Health charts developers <healthcharts@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "blood glucose logbook and biorhythm charts")
# Lines of the extended description stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Two small desktop programs. sugarlog is a blood glucose logbook
in French or English: it records tests in mmol/l, mg/dl or g/l and follows
them on a chart by day, week, month or year. pulsewise draws the biorhythm
chart of one person or compares two, keeps a list of up to 50 people, prints
the chart and saves it as a bitmap.")
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}_${PROJECT_VERSION}_amd64")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Qt loads its platform and image plugins at run time (the SVG pictures are drawn by its SVG image
# plugin): shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-dejavu-core, qt6-translations-l10n, xdg-utils, iputils-ping")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders the package makes are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
include(CPack)
