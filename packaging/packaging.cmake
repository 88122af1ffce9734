# Installing Aromelle and building its Debian package.
#
#   cmake --install <build> [--prefix ~/.local]    installs the program, its menu entry,
#                                                 icons, AppStream metadata, manual page,
#                                                 copyright and changelog
#   cpack -G DEB --config <build>/CPackConfig.cmake   builds aromelle_<version>_<arch>.deb
#
# Everything that names the program to the desktop uses the AppStream id
# com.quorvane.aromelle: the menu entry is com.quorvane.aromelle.desktop, main() gives Qt
# the same desktop file name (the Wayland app id), and the metainfo's launchable points
# at it. The command and the icon keep the short name aromelle.
include(GNUInstallDirs)

set(_aromelle_packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
set(_aromelle_icons_dir "${PROJECT_SOURCE_DIR}/assets/icons")
set(_aromelle_generated_dir "${PROJECT_BINARY_DIR}/packaging")

# The metainfo and the manual page carry the project version. The manual page and the
# changelog are installed gzipped with no name or time stamp in the header, as Debian
# wants; both only change through configure_file, so gzipping them here is enough.
configure_file("${_aromelle_packaging_dir}/com.quorvane.aromelle.metainfo.xml.in"
               "${_aromelle_generated_dir}/com.quorvane.aromelle.metainfo.xml" @ONLY)
configure_file("${_aromelle_packaging_dir}/aromelle.1.in" "${_aromelle_generated_dir}/aromelle.1"
               @ONLY)
configure_file("${_aromelle_packaging_dir}/changelog" "${_aromelle_generated_dir}/changelog"
               COPYONLY)
find_program(AROMELLE_GZIP gzip REQUIRED)
foreach(_doc IN ITEMS aromelle.1 changelog)
  execute_process(COMMAND "${AROMELLE_GZIP}" -9nkf "${_aromelle_generated_dir}/${_doc}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()

install(TARGETS aromelle RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${_aromelle_packaging_dir}/com.quorvane.aromelle.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

install(FILES "${_aromelle_generated_dir}/com.quorvane.aromelle.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

install(FILES "${_aromelle_generated_dir}/aromelle.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${_aromelle_packaging_dir}/copyright" "${_aromelle_generated_dir}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")

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
# Web pages are opened through xdg-open. On a Wayland desktop Qt needs qt6-wayland to
# show the windows natively, with the app id docks match them by; without it they go
# through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
