# Where `cmake --install` puts the programs and what a desktop needs to offer them, and the Debian
# package CPack makes of it. The help pages are compiled into the program and need no files.
include(GNUInstallDirs)

install(TARGETS rostella-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${ROST_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/${ROST_APP_ID}.metainfo.xml
  ${CMAKE_BINARY_DIR}/data/${ROST_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/data/${ROST_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/${ROST_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES data/icons/${size}/${ROST_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Man pages and the package's change log are installed compressed, as Debian's tools expect;
# -n keeps the time stamp out, so the same text always gives the same bytes.
set(compressed)
foreach(source IN ITEMS man/rostella.1 man/rostella-batch.1 changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/data/${name}.gz
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/${source} > ${CMAKE_BINARY_DIR}/data/${name}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${source} VERBATIM)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/data/${name}.gz)
endforeach()
add_custom_target(rost_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/data/rostella.1.gz ${CMAKE_BINARY_DIR}/data/rostella-batch.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The package's name, not the project's: Debian looks for them there.
install(FILES ${CMAKE_BINARY_DIR}/data/changelog.gz data/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rostella)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rostella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Rostella developers <developers@rostella.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "church directory for the members of a congregation")
# CPack puts the summary first and indents these lines itself; an empty line parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Rostella keeps a congregation's membership directory on a member's own
computer. The church office exports the directory as one archive,
RostData.zip; Rostella installs it and lets the member browse the
households one family at a time, find anyone by the first letters of a
name, correct a record, copy a name with address, phone or e-mail,
print envelopes with a return address, and print lists of who holds
which office, talent or activity.

The companion tool rostella-batch runs the same code without windows.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Neither the envelope fonts nor Qt's plugins are linked, so the library scan cannot find them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-image-formats-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
