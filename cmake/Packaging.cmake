# SPDX-License-Identifier: GPL-3.0-or-later
# Installation where a Linux desktop finds things, and the Debian package.
# Included last, when every program target exists.

# One place for the project's role address and the ids built from its domain.
set(ZELMO_MAINTAINER "Zelmo TCI maintainers <maintainers@zelmo-tci.org>")
set(ZELMO_APPSTREAM_ID org.zelmo_tci.ZelmoTCI)
set(ZELMO_MIME_TYPE application/x-zelmo-tci-parameters)
# The Debian revision of the package; the changelog's newest entry must match.
set(ZELMO_DEBIAN_REVISION 1)

set(ZELMO_INSTALLED_PROGRAMS)
foreach(program zelmo-tci zelmo-cli zelmo-unit-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND ZELMO_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()

set(zelmo_docdir ${CMAKE_INSTALL_DATADIR}/doc/zelmo-tci)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/
        DESTINATION ${ZELMO_MANUAL_DIR}
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png" PATTERN "*.svg")
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${zelmo_docdir})

# Debian wants the changelog and the manual pages compressed, without a time
# stamp in the gzip header so that the package builds the same every time.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog zelmo_changelog_head LIMIT_COUNT 1)
if(NOT zelmo_changelog_head MATCHES "^zelmo-tci \\(${PROJECT_VERSION}-${ZELMO_DEBIAN_REVISION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not begin with version "
                      "${PROJECT_VERSION}-${ZELMO_DEBIAN_REVISION}: ${zelmo_changelog_head}")
endif()
set(zelmo_compressed)
function(zelmo_gzip source output)
  add_custom_command(OUTPUT ${output}
                     COMMAND gzip -9nc ${source} > ${output}
                     DEPENDS ${source} VERBATIM)
  set(zelmo_compressed ${zelmo_compressed} ${output} PARENT_SCOPE)
endfunction()
set(zelmo_packaging_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${zelmo_packaging_out}/man)
zelmo_gzip(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${zelmo_packaging_out}/changelog.Debian.gz)
install(FILES ${zelmo_packaging_out}/changelog.Debian.gz DESTINATION ${zelmo_docdir})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zelmo-tci)
foreach(program IN LISTS ZELMO_INSTALLED_PROGRAMS)
  zelmo_gzip(${PROJECT_SOURCE_DIR}/packaging/man/${program}.1 ${zelmo_packaging_out}/man/${program}.1.gz)
  install(FILES ${zelmo_packaging_out}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(zelmo_compressed_docs ALL DEPENDS ${zelmo_compressed})

if(UNIX AND NOT APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelmo-tci.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelmo-tci.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/zelmo-tci.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelmo-tci-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zelmo-tci.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ZELMO_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  if(TARGET zelmo-cli)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/bash-completion/zelmo-cli
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  endif()
  # udev reads rules from /usr/lib/udev/rules.d (also below /usr/local it does not look).
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/60-zelmo-tci-serial.rules
          DESTINATION lib/udev/rules.d)
endif()

set(CPACK_PACKAGE_NAME zelmo-tci)
set(CPACK_PACKAGE_VENDOR "Zelmo TCI project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programming tool for the Zelmo TCI motorcycle ignition")
# The extended description, wrapped as Debian shows it; CPack puts the summary
# above it, indents each line and marks the empty line between the paragraphs.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Edit the advance curve and the settings of the Zelmo TCI programmable\n"
  "ignition unit, in numeric fields or by dragging points on a graph, with\n"
  "undo and redo. Read, verify and program the unit over a serial port, watch\n"
  "its live values, keep parameter sets in .ign files and print a parameter\n"
  "sheet. The window speaks English, Czech and German.\n"
  "\n"
  "The package also holds the command-line tool zelmo-cli, which does the same\n"
  "work from scripts, and the simulated unit zelmo-unit-sim for trying both\n"
  "without the hardware.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY zelmo-tci)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZELMO_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; only what is loaded
# at run time is named here: the xcb platform plugin, a package of its own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# Our own postrm also keeps CPack from writing one that runs ldconfig for the
# printing module, which lives in a folder of its own outside ldconfig's paths.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
                                       ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(ZELMO_BUILD_TESTS AND ZELMO_BUILD_GUI AND UNIX AND NOT APPLE)
  add_test(NAME install_into_prefix
           COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/install_test.sh ${PROJECT_BINARY_DIR}
                   ${ZELMO_INSTALLED_PROGRAMS})
  add_test(NAME debian_package
           COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/package_test.sh ${PROJECT_BINARY_DIR}
                   ${ZELMO_INSTALLED_PROGRAMS})
  set_tests_properties(install_into_prefix debian_package PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
  add_test(NAME desktop_files
           COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/desktop_files_test.sh ${PROJECT_SOURCE_DIR}
                   ${ZELMO_APPSTREAM_ID} ${ZELMO_MIME_TYPE})
endif()

if(ZELMO_BUILD_TESTS)
  add_test(NAME udev_rule COMMAND ${CMAKE_COMMAND} -DRULE=${PROJECT_SOURCE_DIR}/packaging/60-zelmo-tci-serial.rules
                                  -P ${PROJECT_SOURCE_DIR}/packaging/udev_rule_test.cmake)
endif()
