# What "cmake --install build --prefix PREFIX" puts where (the executables
# install themselves from their own folders). The program finds its help pages
# in PREFIX/share/orvo/Ayuda/html relative to PREFIX/bin.
set(datos ${PROJECT_SOURCE_DIR}/data)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/Ayuda/html DESTINATION ${CMAKE_INSTALL_DATADIR}/orvo/Ayuda)
install(FILES ${datos}/io.github.orvo.Orvo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${datos}/io.github.orvo.Orvo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${datos}/orvo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Every size data/ holds: orvo-16.png goes to 16x16, and so on.
file(GLOB iconos CONFIGURE_DEPENDS ${datos}/orvo-*.png)
foreach(icono ${iconos})
  string(REGEX REPLACE ".*/orvo-([0-9]+)\\.png$" "\\1" lado ${icono})
  install(FILES ${icono} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME orvo.png)
endforeach()
# The package's own folder is named after the package, not after the project;
# Debian keeps a native package's changelog there compressed.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvo)
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvo)

# Every manual page in data/man, compressed as Debian keeps them.
file(GLOB paginas CONFIGURE_DEPENDS ${datos}/man/*.1)
set(comprimidas)
foreach(pagina ${paginas})
  get_filename_component(nombre ${pagina} NAME)
  set(gz ${CMAKE_BINARY_DIR}/man/${nombre}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${pagina} ${gz}
    DEPENDS ${pagina} VERBATIM)
  list(APPEND comprimidas ${gz})
endforeach()
add_custom_target(manuales ALL DEPENDS ${comprimidas})
install(FILES ${comprimidas} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
