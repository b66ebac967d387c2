# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening flags of the distribution (dpkg-buildflags) for every target, so
# that a package built from any build type carries them.
option(ZELMO_HARDENING "Compile and link with the hardening flags of dpkg-buildflags" ON)

find_program(ZELMO_DPKG_BUILDFLAGS dpkg-buildflags)
# The flags are the build machine's, for its own packages: a cross build for
# Windows links with another linker that knows none of them.
if(ZELMO_HARDENING AND ZELMO_DPKG_BUILDFLAGS AND NOT CMAKE_CROSSCOMPILING)
  set(zelmo_hardening_compile)
  set(zelmo_hardening_link)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${ZELMO_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    foreach(flag IN LISTS flags)
      # The build type chooses optimisation and debug information. The about
      # box shows the compiler's build date on purpose; GCC takes it from
      # SOURCE_DATE_EPOCH when that is set, so the build stays reproducible.
      if(flag MATCHES "^-O|^-g|^-ffile-prefix-map=|^-fdebug-prefix-map=|^-Wdate-time$")
        continue()
      endif()
      if(kind STREQUAL "LDFLAGS")
        list(APPEND zelmo_hardening_link ${flag})
      elseif(flag MATCHES "^-D_FORTIFY_SOURCE")
        # glibc warns that the checks need an optimised build.
        list(APPEND zelmo_hardening_compile
             "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${flag}>")
      else()
        list(APPEND zelmo_hardening_compile ${flag})
      endif()
    endforeach()
  endforeach()
  add_compile_options(${zelmo_hardening_compile})
  add_link_options(${zelmo_hardening_link})
  message(STATUS "Hardening flags: ${zelmo_hardening_compile} ${zelmo_hardening_link}")
endif()
