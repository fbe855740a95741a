# Desktop integration (menu entry, AppStream data, icon) and the Debian package.

set(ROSTARI_APP_ID com.example.quillmark.RostariBolt)

# The program reads its database from the working directory, so the menu entry starts it in the
# installed data folder. The folder is known only at install time (cpack installs to /usr).
install(CODE "
  set(data_dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/rostari-bolt\")
  set(ROSTARI_INSTALLED_DATA_DIR \"\${data_dir}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/dist/linux/rostari-bolt.desktop.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${ROSTARI_APP_ID}.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${ROSTARI_APP_ID}.desktop\")
")
install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/${ROSTARI_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence, in Debian's machine-readable format (the package links the system's Qt and libmdb).
install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/rostari-bolt.png)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/rostari-bolt.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()

set(CPACK_PACKAGE_NAME rostari-bolt)
set(CPACK_PACKAGE_VENDOR Quillmark)
set(CPACK_PACKAGE_CONTACT "Quillmark <info@quillmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hexagon socket head cap screw dimensions to JIS B 1176 (Japanese)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quillmark.example/)
# Qt's xcb platform plugin and the IPA fonts are loaded at run time, so no library scan finds them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6core6 (>= 6.2), qt6-qpa-plugins, libmdb3 (>= 1.0), libglib2.0-0, libstdc++6 (>= 12), fonts-ipafont-gothic")
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libseccomp2 (>= 2.5)") # the reader's system call filter
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6printsupport6 (>= 6.2)") # the print module, loaded when printing
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_GENERATOR DEB)
include(CPack)
