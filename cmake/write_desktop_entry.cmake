# Runs at install time (from cmake/install.cmake): writes the desktop entry for
# the prefix being installed into and installs it to share/applications.
# In: DRAUGHTS_BINDIR, DRAUGHTS_DATADIR, DRAUGHTS_DESKTOP_TEMPLATE, DRAUGHTS_DESKTOP_OUT,
# and CMAKE_INSTALL_PREFIX as cmake --install sets it.

function(draughts_absolute_under_prefix out dir)
  if(IS_ABSOLUTE "${dir}")
    set(path "${dir}")
  else()
    set(path "${CMAKE_INSTALL_PREFIX}/${dir}")
  endif()
  get_filename_component(path "${path}" ABSOLUTE)
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

draughts_absolute_under_prefix(bin_dir "${DRAUGHTS_BINDIR}")
draughts_absolute_under_prefix(data_dir "${DRAUGHTS_DATADIR}")
set(program "${bin_dir}/draughts3d")

# Desktop entry values escape the backslash; Exec in addition quotes a program
# path holding a space or another reserved character, escaping ", `, $ and \
# inside the quotes, and doubles % (a field code otherwise).
string(REPLACE "\\" "\\\\" path_value "${data_dir}/draughts3d")
if(program MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\" quoted "${program}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\`" quoted "${quoted}")
  string(REPLACE "$" "\\$" quoted "${quoted}")
  set(exec_value "\"${quoted}\"")
else()
  set(exec_value "${program}")
endif()
string(REPLACE "\\" "\\\\" exec_value "${exec_value}")
string(REPLACE "%" "%%" exec_value "${exec_value}")

set(DRAUGHTS_DESKTOP_EXEC "${exec_value}")
set(DRAUGHTS_DESKTOP_PATH "${path_value}")
configure_file("${DRAUGHTS_DESKTOP_TEMPLATE}" "${DRAUGHTS_DESKTOP_OUT}" @ONLY)
file(INSTALL DESTINATION "${data_dir}/applications" TYPE FILE FILES "${DRAUGHTS_DESKTOP_OUT}")
