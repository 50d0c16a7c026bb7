# The Debian package that `make package` builds with CPack: the program and its manual page
# under /usr, its library dependencies worked out from the binary by dpkg-shlibdeps.
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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tavolent maintainers <maintainers@users.noreply.c-seed-236a54d9.example>"
    CACHE STRING "Maintainer field of the Debian package")
# German, like the program, and without umlauts, like its texts.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menuegesteuerter Matrizenrechner fuer die Textkonsole")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Tavolent rechnet mit zwei Matrizen aus Dezimalzahlen (float oder double),\n"
       "komplexen Zahlen oder exakten Bruechen: Summe, Differenz, Produkt,\n"
       "Vektorprodukt, Determinante, Adjunkte, Inverse und die Loesung linearer\n"
       "Gleichungssysteme. Bedient wird es mit den Pfeiltasten und der Eingabetaste;\n"
       "Werte werden als Text eingegeben und koennen auch aus einer Pipe kommen.")
include(CPack)
