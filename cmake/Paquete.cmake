# "cpack -G DEB" in the build folder: orvo_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Desarrolladores de Orvo")
set(CPACK_PACKAGE_CONTACT "Desarrolladores de Orvo <orvo@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/orvo/orvo")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interfaz de comandos para relojes de asistencia / time clock commands")
file(READ ${PROJECT_SOURCE_DIR}/packaging/descripcion.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Where Debian keeps serial line tools.
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries (dpkg-shlibdeps); Qt's own dialogs and messages
# in Spanish come from the translations package, which no binary links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)

include(CPack)
