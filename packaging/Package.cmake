# The Debian package that `make package` builds with CPack: the program, its manual pages, the
# copyright file and the changelog under /usr, its library dependencies worked out from the
# binary by dpkg-shlibdeps. packaging/README.md explains the choices that lintian asks about.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavolent)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Debian's own form of the name: tavolent_1.8.6_amd64.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# German, like the program, and without umlauts, like its texts.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menuegesteuerter Matrizenrechner fuer die Textkonsole")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Tavolent rechnet mit zwei Matrizen aus Dezimalzahlen (float oder double),\n"
       "komplexen Zahlen oder exakten Bruechen: Summe, Differenz, Produkt,\n"
       "Vektorprodukt, Determinante, Adjunkte, Inverse und die Loesung linearer\n"
       "Gleichungssysteme. Bedient wird es mit den Pfeiltasten und der Eingabetaste;\n"
       "Werte werden als Text eingegeben und koennen auch aus einer Pipe kommen.")

# The maintainer of a package built here is whoever builds it, named the way Debian's own tools
# name a packager: DEBFULLNAME and DEBEMAIL (or DEBEMAIL alone as "Name <address>"), else the
# git identity of this checkout. The project has no address of its own to put there.
if(DEFINED ENV{DEBEMAIL} AND "$ENV{DEBEMAIL}" MATCHES "<")
  set(TAVOLENT_MAINTAINER "$ENV{DEBEMAIL}")
elseif(DEFINED ENV{DEBEMAIL} AND DEFINED ENV{DEBFULLNAME})
  set(TAVOLENT_MAINTAINER "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  execute_process(COMMAND git config user.name WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE git_name OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND git config user.email WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE git_email OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(git_name AND git_email)
    set(TAVOLENT_MAINTAINER "${git_name} <${git_email}>")
  else()
    # CPack then refuses to build the package and says that the maintainer is missing.
    message(STATUS "No packager named: set DEBFULLNAME and DEBEMAIL before make package")
  endif()
endif()
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVOLENT_MAINTAINER}")

# The copyright file in Debian's machine-readable format, with the licence text of LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${licence}")
set(TAVOLENT_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "${copyright_line}\n\n" start)
string(LENGTH "${copyright_line}\n\n" length)
math(EXPR start "${start} + ${length}")
string(SUBSTRING "${licence}" ${start} -1 permission)
string(REGEX REPLACE "\n+$" "" permission "${permission}")
string(REPLACE "\n\n" "\n.\n" permission "${permission}")
string(REPLACE "\n" "\n " TAVOLENT_LICENSE_TEXT " ${permission}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)

# A native package's changelog is changelog.gz; -n keeps the same file for the same text.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/doc/changelog.gz
  COMMAND gzip -9 -n -k -f changelog
  DEPENDS ${PROJECT_BINARY_DIR}/doc/changelog
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/doc
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/doc/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A stripped program also loses the sections that only record how it was built, as Debian's
# dh_strip does. Runs after the program is installed, and only when stripping was asked for.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavolent\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
include(CPack)
