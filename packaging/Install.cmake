# Installed layout and the Debian package.
#
#   bin/quorvane, bin/quorvane-check
#   share/quorvane/Quorvane.dat, share/quorvane/html/index.htm, index.ja.htm, help.css
#   share/applications/quorvane.desktop, share/metainfo/example.quorvane.Quorvane.metainfo.xml
#   share/kio/servicemenus/quorvane-check.desktop (Dolphin), share/nemo/actions/quorvane-check.nemo_action,
#   share/quorvane/check-with-quorvane.nautilus-script (Nautilus: the user links it, see README)
#   share/icons/hicolor/NxN/apps/quorvane.png
#   share/man/man1/quorvane.1.gz, quorvane-check.1.gz
#   share/doc/quorvane/changelog.gz, share/doc/quorvane/copyright
#   share/lintian/overrides/quorvane
#
# The programs find Quorvane.dat and the help page in ../share/quorvane/
# beside their own folder, so the data folder must stay "share/quorvane".

include(GNUInstallDirs)

set(QUORVANE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QUORVANE_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quorvane)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(TARGET quorvane)
  install(TARGETS quorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS quorvane-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/Quorvane.dat DESTINATION ${QUORVANE_DATA_DIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/html/index.htm ${CMAKE_CURRENT_SOURCE_DIR}/html/index.ja.htm
              ${CMAKE_CURRENT_SOURCE_DIR}/html/help.css
        DESTINATION ${QUORVANE_DATA_DIR}/html)

foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icons/quorvane-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME quorvane.png)
endforeach()

# The desktop entry starts the program in the installed data folder, so the
# current-directory rules find the shipped table and help page. The prefix is
# only final at install time (cmake --install --prefix, CPack's /usr), so the
# entry is written then.
set(QUORVANE_DESKTOP_TEMPLATE ${QUORVANE_PACKAGING_DIR}/quorvane.desktop.in)
set(QUORVANE_DESKTOP_FILE ${CMAKE_CURRENT_BINARY_DIR}/packaging/quorvane.desktop)
install(CODE "
  set(QUORVANE_DATA_FOLDER \"\${CMAKE_INSTALL_PREFIX}/${QUORVANE_DATA_DIR}\")
  configure_file(\"${QUORVANE_DESKTOP_TEMPLATE}\" \"${QUORVANE_DESKTOP_FILE}\" @ONLY)
")
install(FILES ${QUORVANE_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Software centres, and "Check with Quorvane" in the file managers that read
# a system folder for it (Nautilus reads only the user's own scripts folder).
set(QUORVANE_METAINFO ${QUORVANE_PACKAGING_DIR}/example.quorvane.Quorvane.metainfo.xml)
install(FILES ${QUORVANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUORVANE_PACKAGING_DIR}/file-managers/quorvane-check.dolphin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kio/servicemenus RENAME quorvane-check.desktop)
install(FILES ${QUORVANE_PACKAGING_DIR}/file-managers/quorvane-check.nemo_action
        DESTINATION ${CMAKE_INSTALL_DATADIR}/nemo/actions)
install(PROGRAMS ${QUORVANE_PACKAGING_DIR}/file-managers/check-with-quorvane.nautilus-script
        DESTINATION ${QUORVANE_DATA_DIR})

# Manual pages, compressed the way Debian wants them (-n: no name or time
# stamp inside, so the package is reproducible).
set(QUORVANE_MAN_PAGES)
foreach(page quorvane.1 quorvane-check.1)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${QUORVANE_PACKAGING_DIR}/${page} ${CMAKE_CURRENT_BINARY_DIR}/packaging/${page}
    COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/packaging/${page}
    DEPENDS ${QUORVANE_PACKAGING_DIR}/${page}
    COMMENT "Compressing manual page ${page}"
    VERBATIM)
  list(APPEND QUORVANE_MAN_PAGES ${compressed})
endforeach()
add_custom_target(quorvane-man-pages ALL DEPENDS ${QUORVANE_MAN_PAGES})
install(FILES ${QUORVANE_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian wants a package's change log in its doc folder, compressed the same way.
set(QUORVANE_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${QUORVANE_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy ${QUORVANE_PACKAGING_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
  COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
  DEPENDS ${QUORVANE_PACKAGING_DIR}/changelog
  VERBATIM)
add_custom_target(quorvane-changelog ALL DEPENDS ${QUORVANE_CHANGELOG})
# Debian names the folder after the package, not the project: doc/quorvane.
install(FILES ${QUORVANE_CHANGELOG} ${QUORVANE_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvane)
# What lintian is told to accept, each with its reason in the file.
install(FILES ${QUORVANE_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME quorvane)

# Checks of the shipped texts that need no installation.
if(BUILD_TESTING)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    set(QUORVANE_DATA_FOLDER ${CMAKE_INSTALL_PREFIX}/${QUORVANE_DATA_DIR})
    configure_file(${QUORVANE_DESKTOP_TEMPLATE} ${CMAKE_CURRENT_BINARY_DIR}/packaging/validate/quorvane.desktop @ONLY)
    add_test(NAME desktop_entry_is_valid
             COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_CURRENT_BINARY_DIR}/packaging/validate/quorvane.desktop)
  endif()
  find_program(APPSTREAMCLI appstreamcli)
  if(APPSTREAMCLI)
    add_test(NAME metainfo_is_valid COMMAND ${APPSTREAMCLI} validate --no-net --explain ${QUORVANE_METAINFO})
  endif()
  find_program(MAN_PROGRAM man)
  if(MAN_PROGRAM)
    foreach(page quorvane.1 quorvane-check.1)
      # man prints groff's warnings (unknown macros, bad escapes) on stderr.
      add_test(NAME man_page_${page}_renders_cleanly
               COMMAND sh -c "LC_ALL=C.UTF-8 MANWIDTH=80 \"$0\" --warnings -E UTF-8 -l \"$1\" 2>&1 >/dev/null | grep . && exit 1; exit 0"
                       ${MAN_PROGRAM} ${QUORVANE_PACKAGING_DIR}/${page})
    endforeach()
  endif()
endif()

# Debian package: make package, or cpack -G DEB in a build folder configured
# with CMAKE_INSTALL_PREFIX=/usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvane developers")
set(CPACK_PACKAGE_CONTACT "Quorvane maintainers <maintainers@quorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "finds files whose extension does not fit their content")
set(CPACK_PACKAGE_DESCRIPTION
"Quorvane reads the first 64 bytes of each file dropped onto its window,
matches them against a table of byte signatures and marks every file whose
name extension does not fit its content. It proposes the right extension
and renames the files one by one or all at once, never overwriting an
existing file.

The package also holds quorvane-check, which makes the same check from the
command line, and the signature table Quorvane.dat.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (package dpkg-dev) names every run-time library with its
# minimum version, the wx 3.2 GTK ones included; without it, name them here.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
elseif(TARGET quorvane)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libwxgtk3.2-1, libwxbase3.2-1, libstdc++6, libc6")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libstdc++6, libc6")
endif()
# The messages about the signature table are Japanese; the help page opens with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, xdg-utils")

include(CPack)
