# Debian's hardening flags (fortified functions, stack protector, read-only
# relocations bound at start) for every native build that is not instrumented:
# the packaged programs are built from the tests' tree, so what is tested is
# what is shipped. dpkg-buildflags is asked for them, as a Debian package
# build would be; its debug and optimisation flags stay the build type's.
option(MUHTASAR_HARDEN "Build with Debian's hardening flags" ON)
if(NOT MUHTASAR_HARDEN OR MUHTASAR_SANITIZE OR CMAKE_CROSSCOMPILING OR MSVC)
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  set(hardening_flags)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?|ffile-prefix-map=.*|Wdate-time|Wformat|Werror=format-security)$")
    set(${kind}_hardening ${flags})
  endforeach()
else()
  set(CPPFLAGS_hardening -D_FORTIFY_SOURCE=2)
  set(CXXFLAGS_hardening -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  set(LDFLAGS_hardening -Wl,-z,relro -Wl,-z,now)
endif()
# Fortified functions need the optimiser: a Debug build leaves them out.
add_compile_options("$<$<NOT:$<CONFIG:Debug>>:${CPPFLAGS_hardening}>" ${CXXFLAGS_hardening})
add_link_options(${LDFLAGS_hardening})
