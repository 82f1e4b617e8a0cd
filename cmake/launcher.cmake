# Run by `cmake --install` (see add_program): writes a program's launcher with the program's
# full installed path on its Exec= line, quoted the way desktop entries want it.
#   TEMPLATE, LAUNCHER: the .desktop.in and the .desktop to write; PROGRAM, DESKTOP_ID, BINDIR.
if(IS_ABSOLUTE "${BINDIR}")
  set(path "${BINDIR}/${PROGRAM}")
else()
  set(path "${CMAKE_INSTALL_PREFIX}/${BINDIR}/${PROGRAM}")
endif()
# A path with a blank or a character the shell reads is quoted, and inside the quotes ", `, $
# and \ are escaped; a backslash is itself escaped once more in a desktop entry's value.
if(path MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" path "${path}")
  set(path "\"${path}\"")
endif()
string(REPLACE "\\" "\\\\" path "${path}")
string(REPLACE "%" "%%" EXEC "${path}")
configure_file(${TEMPLATE} ${LAUNCHER} @ONLY)
