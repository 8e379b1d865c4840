# Installing Tallero as a desktop program, and its Debian package.
#
#   cmake --install build [--prefix DIR]   the program, its desktop entry, its
#                                           icon and the .tlr MIME type
#   cmake --build build --target package   build/tallero_<version>_<arch>.deb

include(GNUInstallDirs)

install(TARGETS tallero RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/icons/tallero-icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME tallero.png)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tallero-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tallero.xml)
# The desktop entry (its Exec line depends on the prefix) and the caches.
install(CODE "set(TALLERO_PACKAGING_DIR \"${CMAKE_SOURCE_DIR}/packaging\")
set(TALLERO_BUILD_DIR \"${CMAKE_BINARY_DIR}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/packaging/install-desktop.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallero)
set(CPACK_PACKAGE_VENDOR "Tallero")
set(CPACK_PACKAGE_CONTACT "Tallero maintainers <maintainers@users.noreply.c-seed-c2187e27.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cutting-plan calculator for sheet material over a DXF outline")
# Lines under 80 columns, as Debian's control files want them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Tallero lays a grid of sheets over the outline of a work area drawn in a"
       "DXF file, nests the cut pieces by their real shape onto as few extra"
       "sheets as it can, and shows and prints the plan: the sheets to buy and"
       "every cut.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (Qt 6 Core, Gui and Widgets, GEOS's C
# library, the C++ runtime) come from dpkg-shlibdeps with their versions. It
# cannot see what is not linked: the reports and views are drawn in Liberation
# fonts (metric-compatible with Arial).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# The staged binary carries no debug information.
set(CPACK_STRIP_FILES ON)
include(CPack)
