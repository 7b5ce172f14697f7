# What a Debian package needs beside the program (manual page, copyright,
# changelog, lintian overrides) and the package itself: `cpack -G DEB` in a
# release build, or packaging/package.sh, which also sets Debian's hardening flags.

set(pacchetto ${CMAKE_SOURCE_DIR}/packaging)
set(compressi ${CMAKE_BINARY_DIR}/packaging)

# Debian keeps manual pages and changelogs compressed, without a time stamp.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(file_compressi)
foreach(coppia "tastavia.1;tastavia.1.gz" "changelog;changelog.gz")
  list(GET coppia 0 sorgente)
  list(GET coppia 1 compresso)
  add_custom_command(OUTPUT ${compressi}/${compresso}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${compressi}
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${pacchetto}/${sorgente} > ${compressi}/${compresso}
    DEPENDS ${pacchetto}/${sorgente} VERBATIM)
  list(APPEND file_compressi ${compressi}/${compresso})
endforeach()
add_custom_target(documenti_pacchetto ALL DEPENDS ${file_compressi})

install(FILES ${compressi}/tastavia.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pacchetto}/copyright ${compressi}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tastavia)
install(FILES ${pacchetto}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tastavia)

# Debian's strip also drops the compiler's notes (.comment), which the plain
# strip of CPack keeps.
if(CMAKE_OBJCOPY)
  install(CODE "foreach(binario tastavia libtastavia-stampa.so)
    execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
      \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TASTAVIA_CARTELLA_PROGRAMMA}/\${binario})
  endforeach()")
endif()

# The changelog's latest entry names the version being packaged.
file(STRINGS ${pacchetto}/changelog prima_riga LIMIT_COUNT 1)
if(NOT prima_riga MATCHES "^tastavia \\(${PROJECT_VERSION}\\) ")
  message(WARNING "packaging/changelog has no entry for version ${PROJECT_VERSION}")
endif()

set(TASTAVIA_MAINTAINER "Tastavia developers <tastavia@example.org>" CACHE STRING
    "Maintainer of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tastavia)
set(CPACK_PACKAGE_VENDOR "The Tastavia developers")
set(CPACK_PACKAGE_CONTACT "${TASTAVIA_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing tutor for the French AZERTY keyboard")
set(CPACK_PACKAGE_DESCRIPTION [[
Tastavia teaches touch typing on the French AZERTY keyboard. The learner types
the model line shown on screen; every keystroke is judged, wrong keys are
rejected and counted, and an on-screen keyboard shows the key to press next,
with Shift, AltGr or the dead key, coloured by the finger that must strike it.

It offers built-in French sentences in three levels, a course of lessons, the
learner's own exercises and text files, speed and score after every line,
results that can be printed or written as PDF, and a game of falling
characters. The interface is Italian, English, French, German or Spanish; the
practice material is French.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tastavia/tastavia")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Linked libraries, of the program and of the print module, come from
# dpkg-shlibdeps (libsqlite3-0 among them, for the learner's history). What is loaded at run time it cannot see: the X11 platform
# plugin (the program cannot open a window without it), the fonts whose
# metrics the keyboard is drawn with, and libpulse (dlopen; silent without it)
# and xdg-utils (help pages and PDF reports open through it), only recommended,
# as are Qt's own translations (the buttons of message boxes in the interface language)
# and the Wayland platform plugin (on a Wayland desktop the program then runs
# natively instead of through Xwayland).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libpulse0, xdg-utils, qt6-translations-l10n, qt6-wayland")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/pacchetto)
include(CPack)
