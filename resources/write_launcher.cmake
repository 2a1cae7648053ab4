cmake_minimum_required(VERSION 3.25)
# Writes the desktop menu's launcher of the program installed in PROGRAM_DIR to LAUNCHER,
# from pellor.desktop.in. The folder's path may hold spaces, quotes or Chinese: Exec quotes
# it as the freedesktop.org desktop entry format asks, and every value escapes its backslashes.
if(PROGRAM_DIR MATCHES "[\n\r\t]")
  message(FATAL_ERROR "a program folder whose name holds a line break or a tab cannot be started from a launcher")
endif()

# A string value: a backslash is written as two.
function(desktop_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# One argument of Exec: quoted when it holds a reserved character, with ", `, $ and \ escaped
# inside the quotes; a literal % doubled; then escaped as any string value.
function(desktop_exec_argument out value)
  if(value MATCHES "[ \"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "`" "\\`" value "${value}")
    string(REPLACE "$" "\\$" value "${value}")
    set(value "\"${value}\"")
  endif()
  string(REPLACE "%" "%%" value "${value}")
  desktop_string(value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(program "${PROGRAM_DIR}/pellor")
desktop_exec_argument(EXEC "${program}")
desktop_string(TRY_EXEC "${program}")
desktop_string(PATH "${PROGRAM_DIR}")
desktop_string(ICON "${PROGRAM_DIR}/pellor.png")
configure_file(${CMAKE_CURRENT_LIST_DIR}/pellor.desktop.in ${LAUNCHER} @ONLY)
