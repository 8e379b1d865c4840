# Runs at install time (cmake --install, make install, and CPack's staging).
# Expects TALLERO_PACKAGING_DIR (this folder) and TALLERO_BUILD_DIR.
#
# The desktop entry is written here rather than at configure time because the
# prefix is known only now (`cmake --install --prefix`): a program in a bin
# folder that desktop sessions search is started by name, one anywhere else
# (~/.local/bin before the next login puts it on PATH) by its full path.

set(_prefix "${CMAKE_INSTALL_PREFIX}")
set(_program "${_prefix}/bin/tallero")
if(_program STREQUAL "/usr/bin/tallero" OR _program STREQUAL "/usr/local/bin/tallero")
  set(_exec "tallero")
elseif(_program MATCHES "^[A-Za-z0-9/._+-]+$")
  set(_exec "${_program}")
else()
  # Quoted as the desktop entry format asks: \ " ` $ escaped inside the
  # quotes, then every backslash doubled once more for the string value, and
  # % (a field code) doubled.
  string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" _quoted "${_program}")
  string(REPLACE "\\" "\\\\" _quoted "${_quoted}")
  string(REPLACE "%" "%%" _quoted "${_quoted}")
  set(_exec "\"${_quoted}\"")
endif()

file(READ "${TALLERO_PACKAGING_DIR}/tallero.desktop.in" _entry)
string(REPLACE "@TALLERO_EXEC@" "${_exec}" _entry "${_entry}")
# One folder per destination, so two installs at once never share a file.
string(MD5 _key "$ENV{DESTDIR}|${_prefix}")
set(_generated "${TALLERO_BUILD_DIR}/packaging/${_key}/tallero.desktop")
file(WRITE "${_generated}" "${_entry}")
file(INSTALL DESTINATION "${_prefix}/share/applications" TYPE FILE FILES "${_generated}")

# The caches of the MIME database, the desktop entries and the icon theme are
# brought up to date for a real install. A staged one (DESTDIR, and so every
# package build) leaves them alone: a package must not carry cache files, and
# Debian rebuilds them through its triggers. A missing tool or a failing one
# never fails the install; the files are in place and the cache follows on
# the next update.
if("$ENV{DESTDIR}" STREQUAL "")
  find_program(_update_mime update-mime-database NO_CACHE)
  if(_update_mime AND IS_DIRECTORY "${_prefix}/share/mime/packages")
    execute_process(COMMAND "${_update_mime}" "${_prefix}/share/mime"
                    RESULT_VARIABLE _ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
  find_program(_update_desktop update-desktop-database NO_CACHE)
  if(_update_desktop)
    execute_process(COMMAND "${_update_desktop}" -q "${_prefix}/share/applications"
                    RESULT_VARIABLE _ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
  # Only a theme folder with its index has a cache; elsewhere (~/.local, a
  # fresh /usr/local) the icon is found without one.
  find_program(_update_icons gtk-update-icon-cache NO_CACHE)
  if(_update_icons AND EXISTS "${_prefix}/share/icons/hicolor/index.theme")
    execute_process(COMMAND "${_update_icons}" -q "${_prefix}/share/icons/hicolor"
                    RESULT_VARIABLE _ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
endif()
