# The help pages beside the built program, the install tree of a desktop program and its Debian
# package. Kel finds its help pages from its own folder: "help" beside it (the build folder) or
# "../share/quilmo/help" (an installed prefix).
include(GNUInstallDirs)

set(QUILMO_HELP_PAGES
  barre-etat.html
  date.html
  defilement.html
  demarrage.html
  fenetre.html
  index.html
  ligne.html
  marques.html
  menu-affichage.html
  menu-aide.html
  menu-edition.html
  menu-fichier.html
  menu-options.html
  menu-recherche.html
  plein-ecran.html
  proprietes.html
  rechercher.html
  remplacer.html
  touches.html
)
set(QUILMO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QUILMO_APP_ID org.orvane.Quilmo)

# --- help pages copied next to the built program
set(help_outputs)
foreach(page IN LISTS QUILMO_HELP_PAGES)
  set(source ${PROJECT_SOURCE_DIR}/resources/help/${page})
  set(output ${PROJECT_BINARY_DIR}/app/help/${page})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
    DEPENDS ${source}
    COMMENT "Help page ${page}" VERBATIM)
  list(APPEND help_outputs ${output})
endforeach()
add_custom_target(quilmo_help ALL DEPENDS ${help_outputs})
add_dependencies(Kel quilmo_help)

# --- install tree
install(TARGETS Kel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
list(TRANSFORM QUILMO_HELP_PAGES PREPEND ${PROJECT_SOURCE_DIR}/resources/help/ OUTPUT_VARIABLE help_sources)
install(FILES ${help_sources} DESTINATION ${CMAKE_INSTALL_DATADIR}/quilmo/help)
install(FILES packaging/${QUILMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(packaging/${QUILMO_APP_ID}.metainfo.xml ${PROJECT_BINARY_DIR}/${QUILMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${QUILMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/icons/quilmo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QUILMO_APP_ID}.svg)
foreach(size IN LISTS QUILMO_ICON_SIZES)
  install(FILES resources/icons/quilmo-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QUILMO_APP_ID}.png)
endforeach()

# --- Debian package (cpack -G DEB); the libraries' packages come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quilmo)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Éditeur de fichiers texte en français")
set(CPACK_PACKAGE_DESCRIPTION
  "Quilmo ouvre un document à la fois dans une fenêtre unique : annulation, Presse-papiers, indentation automatique, tabulations, retour à la ligne automatique, recherche et remplacement, marques, plein écran et aide en français.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvane <quilmo@orvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to dpkg-shlibdeps: the SVG image plugin draws the tool bar.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# French standard dialogs and the preferred fixed-pitch font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
