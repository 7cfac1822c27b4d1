# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a desktop application (cmake --install) and the Debian
# package of it (cpack -G DEB). tools/check-package installs the package and
# starts the installed program.
include(GNUInstallDirs)

install(TARGETS velmorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only Qt and system libraries from the standard folders: no run path.
set_target_properties(velmorin PROPERTIES INSTALL_RPATH "")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmorin.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmorin.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(VELMORIN_PACKAGE_MAINTAINER "Velmorin maintainers <maintainers@velmorin.invalid>"
  CACHE STRING "Maintainer field of the Debian package")
set(VELMORIN_HOMEPAGE "https://velmorin.org" CACHE STRING "The project's home page")
set(VELMORIN_APP_ID org.velmorin.velmorin)

# AppStream: what software centres show (tools/check-package validates it).
configure_file(${CMAKE_CURRENT_LIST_DIR}/velmorin.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/${VELMORIN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${VELMORIN_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, compressed as Debian wants it.
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/velmorin.1.gz
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/velmorin.1 > ${PROJECT_BINARY_DIR}/velmorin.1.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/velmorin.1)
add_custom_target(manual_page ALL DEPENDS ${PROJECT_BINARY_DIR}/velmorin.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/velmorin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/survey-file.md ${PROJECT_SOURCE_DIR}/docs/road-design.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence and the changelog, where Debian keeps them.
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
  DEPENDS ${PROJECT_BINARY_DIR}/changelog)
add_custom_target(package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME velmorin)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORIN_HOMEPAGE}")
set(CPACK_PACKAGE_CONTACT "${VELMORIN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "road earthworks: cross-section areas and volumes")
# The summary above is the first line of the package's description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Velmorin takes the survey of a road's cross-sections (elevation and distance
from the centre line of every measured point, and the stations or spacings of
the sections), computes each section's area by the elevation-distance
trapezoid method and the volumes between sections by the average-end-area
rule, and prints the calculation sheet on the default printer.
.
道路土方断面计算：逐项输入各横断面的测点高程和至中心线的距离，以及桩号或断面间距，
计算断面面积、相邻断面间的体积和总方量，并在默认打印机上打印计算书。")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the Song face of the
# sheet and the condensed face of the captions, Qt's Chinese dialog buttons,
# the SVG icon engine for the window icon, and Qt's further platform plugins
# (on Debian 12 the X11 one comes with libqt6gui6 itself).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-arphic-uming, fonts-dejavu-extra, qt6-translations-l10n, libqt6svg6, qt6-qpa-plugins")
# Printing needs a CUPS server; without one the program says so and goes on.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS cups)
set(CPACK_STRIP_FILES ON)
include(CPack)
