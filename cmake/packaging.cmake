# Installation and the Debian package.
#
#   <prefix>/bin/klw                   launcher: the menu entry's command
#   <prefix>/libexec/klw/klw           the program
#   <prefix>/share/klw/                what each user's program folder starts with:
#                                      Datenbank/KLW.abs (fresh), MEKO/ and an
#                                      empty Adressbuch/ for the exported vCards
#   <prefix>/share/applications/klw.desktop, share/icons/hicolor/scalable/apps/klw.svg
#
# The program looks for its database beside its executable, and nothing under the prefix
# may be writable by every user; so the launcher gives each user a program folder of their
# own and starts the program from there (see packaging/klw.in).
include(GNUInstallDirs)

set(KLW_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/klw)
set(KLW_TEMPLATE_DIR ${CMAKE_INSTALL_DATADIR}/klw)

# The shipped database is made apart from bin/Datenbank/KLW.abs, which every run of the
# program in the build tree writes into.
set(KLW_SHIPPED_DATABASE ${CMAKE_BINARY_DIR}/package/Datenbank/KLW.abs)
add_custom_command(
  OUTPUT ${KLW_SHIPPED_DATABASE}
  COMMAND klw_makedb ${KLW_SHIPPED_DATABASE} ${klw_database_sql}
  DEPENDS klw_makedb ${klw_database_sql}
  COMMENT "Making the shipped Datenbank/KLW.abs"
  VERBATIM)
add_custom_target(klw_shipped_database ALL DEPENDS ${KLW_SHIPPED_DATABASE})

# The launcher finds the program and the shipped folder relative to itself, so that any
# prefix works (cmake --install --prefix, the package's /usr).
file(RELATIVE_PATH KLW_LAUNCHER_TO_PROGRAM /${CMAKE_INSTALL_BINDIR} /${KLW_PROGRAM_DIR}/klw)
file(RELATIVE_PATH KLW_LAUNCHER_TO_TEMPLATE /${CMAKE_INSTALL_BINDIR} /${KLW_TEMPLATE_DIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/klw.in ${CMAKE_BINARY_DIR}/package/klw @ONLY)

install(TARGETS klw RUNTIME DESTINATION ${KLW_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/package/klw DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KLW_SHIPPED_DATABASE} DESTINATION ${KLW_TEMPLATE_DIR}/Datenbank)
install(DIRECTORY DESTINATION ${KLW_TEMPLATE_DIR}/MEKO)
install(DIRECTORY DESTINATION ${KLW_TEMPLATE_DIR}/Adressbuch)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/klw.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/klw.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME klw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MEKO e. V.")
set(CPACK_PACKAGE_CONTACT "KLW <software@meko-dart.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Spielberichtsbogen des MEKO e. V. (darts league match report sheet)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The home team of a darts league match fills in, checks and prints the\n league's match report sheet with it. Start it with the command klw or from\n the menu; each user gets a program folder of their own in\n ~/.local/share/klw with a copy of the shipped database.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Libraries the program links come from dpkg-shlibdeps. Fonts and printing are not linked:
# the sheet and the report are laid out for Liberation Sans and URW Bookman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "msmtp-mta")
include(CPack)
