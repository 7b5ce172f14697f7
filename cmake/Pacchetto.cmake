# What an installation carries beside the program: the manual page. The Debian
# package itself is made from debian/ (dpkg-buildpackage, or
# packaging/package.sh), which adds the copyright and changelog files.

install(FILES ${CMAKE_SOURCE_DIR}/packaging/tastavia.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Every version has its entry in the Debian changelog and in the AppStream
# releases, newest first: a version raised in one place alone stops the build.
file(STRINGS ${CMAKE_SOURCE_DIR}/debian/changelog prima_riga LIMIT_COUNT 1)
if(NOT prima_riga MATCHES "^tastavia \\(${PROJECT_VERSION}(-[^)]*)?\\) ")
  message(FATAL_ERROR "debian/changelog begins with \"${prima_riga}\", not with version ${PROJECT_VERSION}")
endif()
file(READ ${CMAKE_SOURCE_DIR}/packaging/io.github.tastavia.Tastavia.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<releases>[ \t\r\n]*<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "the first release of the AppStream metainfo is not version ${PROJECT_VERSION}")
endif()
