# Installation where a Linux desktop finds things, and the Debian package.
# Included last, when every program target exists.

set(ZELMO_INSTALLED_PROGRAMS)
foreach(program zelmo-tci zelmo-cli zelmo-unit-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND ZELMO_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/manual
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png" PATTERN "*.svg")

if(UNIX AND NOT APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelmo-tci.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelmo-tci.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # udev reads rules from /usr/lib/udev/rules.d (also below /usr/local it does not look).
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/60-zelmo-tci-serial.rules
          DESTINATION lib/udev/rules.d)
endif()

set(CPACK_PACKAGE_NAME zelmo-tci)
set(CPACK_PACKAGE_VENDOR "Zelmo TCI project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Programming tool for the Zelmo TCI motorcycle ignition unit")
set(CPACK_PACKAGE_DESCRIPTION
    "Edit the advance curve and settings of the Zelmo TCI ignition unit, read, verify and program it over a serial port, watch its live values, keep parameter sets in .ign files and print a parameter sheet. Includes the command-line tool zelmo-cli and the simulated unit zelmo-unit-sim.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY zelmo-tci)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelmo TCI project")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries by name (the xcb platform plugin is a package of its own),
# the C and C++ runtimes from the binaries themselves.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6serialport6 (>= 6.4), qt6-qpa-plugins (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst)
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
endif()

if(ZELMO_BUILD_TESTS)
  add_test(NAME udev_rule COMMAND ${CMAKE_COMMAND} -DRULE=${PROJECT_SOURCE_DIR}/packaging/60-zelmo-tci-serial.rules
                                  -P ${PROJECT_SOURCE_DIR}/packaging/udev_rule_test.cmake)
endif()
