# Checks what installing Tallero gives a desktop, in one of three modes:
#   MODE=mime    the MIME type file is well-formed XML that update-mime-database
#                takes without a complaint, and maps *.tlr and the project's
#                content to application/x-tallero-project
#   MODE=staged  an install into a DESTDIR (as a package build does) puts every
#                file where desktops look, with a valid desktop entry, and
#                writes no cache
#   MODE=user    an install into a user's prefix writes the caches, and its
#                desktop entry starts the program by its full path
# Needs SOURCE_DIR, BUILD_DIR and WORK_DIR (emptied first).

cmake_minimum_required(VERSION 3.25)

foreach(variable MODE SOURCE_DIR BUILD_DIR WORK_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(require_program variable name)
  find_program(${variable} ${name} NO_CACHE)
  if(NOT ${variable})
    message(FATAL_ERROR "${name} is missing (scripts/install-deps.sh installs it)")
  endif()
  set(${variable} "${${variable}}" PARENT_SCOPE)
endfunction()

function(require_file path)
  if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endfunction()

function(require_contains path expected)
  # The printable runs only: the magic file holds binary lengths and NULs.
  file(STRINGS "${path}" lines)
  string(JOIN "\n" text ${lines})
  set(text "\n${text}\n")
  string(FIND "${text}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${path} lacks \"${expected}\":\n${text}")
  endif()
endfunction()

function(validate_desktop_entry path)
  require_program(validator desktop-file-validate)
  execute_process(COMMAND "${validator}" "${path}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  # Hints are advice; errors and warnings fail.
  if(NOT result EQUAL 0 OR output MATCHES "error:|warning:")
    message(FATAL_ERROR "desktop-file-validate ${path}:\n${output}")
  endif()
endfunction()

function(install_tallero)
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed:\n${output}")
  endif()
endfunction()

if(MODE STREQUAL "mime")
  set(source "${SOURCE_DIR}/packaging/tallero-mime.xml")
  require_program(xmllint xmllint)
  execute_process(COMMAND "${xmllint}" --noout "${source}" RESULT_VARIABLE result ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "xmllint ${source}:\n${output}")
  endif()
  require_program(update update-mime-database)
  file(MAKE_DIRECTORY "${WORK_DIR}/mime/packages")
  file(COPY_FILE "${source}" "${WORK_DIR}/mime/packages/tallero.xml")
  # Searched, so it has no note about a folder outside the search path.
  set(ENV{XDG_DATA_DIRS} "${WORK_DIR}:/usr/share")
  execute_process(COMMAND "${update}" "${WORK_DIR}/mime" RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  # It warns about unknown elements and attributes but still succeeds.
  if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "update-mime-database:\n${output}")
  endif()
  require_contains("${WORK_DIR}/mime/globs2" "application/x-tallero-project:*.tlr")
  require_contains("${WORK_DIR}/mime/subclasses" "application/x-tallero-project application/json")
  require_contains("${WORK_DIR}/mime/magic" "[80:application/x-tallero-project]")
  require_contains("${WORK_DIR}/mime/magic" "\"TalleroProject\"")
  require_contains("${WORK_DIR}/mime/magic" "\"RodalixDespieceProject\"")
  # The magic must find the sample project's own format line.
  require_contains("${SOURCE_DIR}/examples/room-curved-wall.tlr" "\"format\": \"TalleroProject\"")

elseif(MODE STREQUAL "staged")
  set(ENV{DESTDIR} "${WORK_DIR}/stage")
  install_tallero(--prefix /usr)
  set(root "${WORK_DIR}/stage/usr")
  require_file("${root}/bin/tallero")
  require_file("${root}/share/applications/tallero.desktop")
  require_file("${root}/share/icons/hicolor/256x256/apps/tallero.png")
  require_file("${root}/share/mime/packages/tallero.xml")
  validate_desktop_entry("${root}/share/applications/tallero.desktop")
  require_contains("${root}/share/applications/tallero.desktop" "\nExec=tallero %f\n")
  require_contains("${root}/share/applications/tallero.desktop"
                   "\nMimeType=application/x-tallero-project;image/vnd.dxf;\n")
  foreach(cache mime/mime.cache mime/globs2 applications/mimeinfo.cache icons/hicolor/icon-theme.cache)
    if(EXISTS "${root}/share/${cache}")
      message(FATAL_ERROR "a staged install wrote the cache ${cache}")
    endif()
  endforeach()

elseif(MODE STREQUAL "user")
  # A home folder with a space, as users have.
  set(prefix "${WORK_DIR}/my home/.local")
  unset(ENV{DESTDIR})
  install_tallero(--prefix "${prefix}")
  set(entry "${prefix}/share/applications/tallero.desktop")
  validate_desktop_entry("${entry}")
  require_contains("${entry}" "\nExec=\"${prefix}/bin/tallero\" %f\n")
  require_file("${prefix}/bin/tallero")
  find_program(update_mime update-mime-database NO_CACHE)
  if(update_mime)
    require_contains("${prefix}/share/mime/globs2" "application/x-tallero-project:*.tlr")
  endif()
  find_program(update_desktop update-desktop-database NO_CACHE)
  if(update_desktop)
    require_contains("${prefix}/share/applications/mimeinfo.cache" "application/x-tallero-project=tallero.desktop;")
    require_contains("${prefix}/share/applications/mimeinfo.cache" "image/vnd.dxf=tallero.desktop;")
  endif()

else()
  message(FATAL_ERROR "unknown MODE ${MODE}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
