# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts on the system and the Debian package that `cpack -G DEB` makes of
# it: the program, its desktop entry, the document type, the icons and the user guide.
include(GNUInstallDirs)

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillon_window LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quillon)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillon.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md DESTINATION ${CMAKE_INSTALL_DATADIR}/quillon)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillon.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/icons/quillon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/icons/quillon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
  RENAME application-x-quillon.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vector drawing for cards, labels and print work")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillon designs cards, labels, CD and DVD labels and inserts, brochures, tent cards and\n pictures for the web, prints the design on every card of a sheet and exports pictures.")
set(CPACK_PACKAGE_CONTACT "Quillon developers <quillon@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the program links (Qt's display and SVG icon plugins come with them) are found
# by dpkg-shlibdeps; the font that stands in for "Arial", the type and program databases (without
# the latter the desktop finds no program for the type) and the icon theme
# are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-liberation, shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
