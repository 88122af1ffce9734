# Installing Aromelle.
#
#   cmake --install <build> [--prefix ~/.local]    installs the program, its menu entry,
#                                                 icons, AppStream metadata, manual page,
#                                                 copyright and changelog
#
# The Debian package is built from debian/ (script/package), whose rules install through
# these same rules; debian/copyright and debian/changelog are the program's copyright
# file and changelog for both.
#
# Everything that names the program to the desktop uses the AppStream id
# com.quorvane.aromelle: the menu entry is com.quorvane.aromelle.desktop, main() gives Qt
# the same desktop file name (the Wayland app id), and the metainfo's launchable points
# at it. The command and the icon keep the short name aromelle.
include(GNUInstallDirs)

set(_aromelle_packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
set(_aromelle_debian_dir "${PROJECT_SOURCE_DIR}/debian")
set(_aromelle_icons_dir "${PROJECT_SOURCE_DIR}/assets/icons")
set(_aromelle_generated_dir "${PROJECT_BINARY_DIR}/packaging")

# The metainfo and the manual page carry the project version. The manual page and the
# changelog are installed gzipped with no name or time stamp in the header, as Debian
# wants; both only change through configure_file, so gzipping them here is enough.
configure_file("${_aromelle_packaging_dir}/com.quorvane.aromelle.metainfo.xml.in"
               "${_aromelle_generated_dir}/com.quorvane.aromelle.metainfo.xml" @ONLY)
configure_file("${_aromelle_packaging_dir}/aromelle.1.in" "${_aromelle_generated_dir}/aromelle.1"
               @ONLY)
configure_file("${_aromelle_debian_dir}/changelog" "${_aromelle_generated_dir}/changelog"
               COPYONLY)
# The version is written twice: in project() and in the latest changelog entry, which
# versions the Debian package. The configuration, and so every build and the package
# build, stops when they disagree; configure_file above makes an edit to the changelog
# run the configuration again.
file(STRINGS "${_aromelle_debian_dir}/changelog" _aromelle_changelog_top LIMIT_COUNT 1)
if(NOT _aromelle_changelog_top MATCHES "^aromelle \\(([^)]+)\\) ")
  message(FATAL_ERROR "debian/changelog: the first line is not an aromelle entry: "
                      "${_aromelle_changelog_top}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The latest debian/changelog entry is version ${CMAKE_MATCH_1}, "
                      "project() says ${PROJECT_VERSION}: give both the same version")
endif()
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
install(FILES "${_aromelle_debian_dir}/copyright" "${_aromelle_generated_dir}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")

foreach(_size IN ITEMS 32 48 64 128 256)
  install(FILES "${_aromelle_icons_dir}/aromelle-${_size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps"
          RENAME aromelle.png)
endforeach()
install(FILES "${_aromelle_icons_dir}/aromelle.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
