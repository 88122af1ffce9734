# Installing Aromelle and building its Debian package.
#
#   cmake --install <build> [--prefix ~/.local]    installs the program, its menu entry,
#                                                 icons and AppStream metadata
#   cpack -G DEB --config <build>/CPackConfig.cmake   builds aromelle_<version>_<arch>.deb
#
# The menu entry must stay named aromelle.desktop: main() sets the desktop file name
# to "aromelle", which is the Wayland app id and what the desktop matches windows by.
# The AppStream component id is the reverse-DNS com.quorvane.aromelle; its launchable
# points back at aromelle.desktop.
include(GNUInstallDirs)

set(_aromelle_packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
set(_aromelle_icons_dir "${PROJECT_SOURCE_DIR}/assets/icons")

install(TARGETS aromelle RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${_aromelle_packaging_dir}/aromelle.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

install(FILES "${_aromelle_packaging_dir}/aromelle.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
        RENAME com.quorvane.aromelle.metainfo.xml)

foreach(_size IN ITEMS 32 48 64 128 256)
  install(FILES "${_aromelle_icons_dir}/aromelle-${_size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps"
          RENAME aromelle.png)
endforeach()
install(FILES "${_aromelle_icons_dir}/aromelle.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

# Debian package. The Qt and C++ runtime dependencies come from dpkg-shlibdeps
# (package dpkg-dev); they are added to the ones named here.
set(AROMELLE_PACKAGE_MAINTAINER "Quorvane <aromelle@quorvane.com>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aromelle)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${AROMELLE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://aromelle.quorvane.com/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sun-sign perfume reading for the desktop")
# One paragraph, wrapped as dpkg shows it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Type a name and pick a birth date, and Aromelle gives a two-tab reading:"
  "the Western sun sign's profile (element, birthstone, lucky number and day,"
  "compatible signs, strengths and weaknesses) and its perfume profile"
  "(fragrance notes, perfumes and the scents that suit you).")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME aromelle)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${AROMELLE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Captions are laid out for DejaVu Sans, which the program substitutes for its fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# Web pages are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
