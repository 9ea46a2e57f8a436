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

# Each version has its entry in the Debian changelog and in the AppStream releases.
function(quilmo_check_release_notes)
  file(STRINGS packaging/debian/changelog top LIMIT_COUNT 1)
  if(NOT top MATCHES "^quilmo \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: the first entry is not version ${PROJECT_VERSION}: ${top}")
  endif()
  file(READ packaging/${QUILMO_APP_ID}.metainfo.xml metainfo)
  if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\" date=\"[0-9-]+\"")
    message(FATAL_ERROR "packaging/${QUILMO_APP_ID}.metainfo.xml: no release entry for version ${PROJECT_VERSION}")
  endif()
endfunction()

# The lower-case commands, the manual page and the Debian changelog and copyright. The manual
# page and the changelog are compressed as Debian wants them: gzip -9n, without name or time.
function(quilmo_install_unix_documents)
  set(out ${PROJECT_BINARY_DIR}/packaging)
  file(MAKE_DIRECTORY ${out})
  configure_file(packaging/Kel.1 ${out}/Kel.1 @ONLY)
  configure_file(packaging/debian/changelog ${out}/changelog COPYONLY)
  add_custom_command(OUTPUT ${out}/Kel.1.gz ${out}/changelog.gz
    COMMAND gzip -9nkf ${out}/Kel.1 ${out}/changelog
    DEPENDS ${out}/Kel.1 ${out}/changelog
    COMMENT "Compressing the manual page and the changelog" VERBATIM)
  add_custom_target(quilmo_documents ALL DEPENDS ${out}/Kel.1.gz ${out}/changelog.gz)
  install(FILES ${out}/Kel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${out}/changelog.gz packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quilmo)
  foreach(name quilmo kel)
    file(CREATE_LINK Kel ${out}/${name} SYMBOLIC)
    file(CREATE_LINK Kel.1.gz ${out}/${name}.1.gz SYMBOLIC)
    install(FILES ${out}/${name} DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${out}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
endfunction()

# --- install tree
install(TARGETS Kel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
quilmo_check_release_notes()
if(UNIX AND NOT APPLE)
  quilmo_install_unix_documents()
endif()
list(TRANSFORM QUILMO_HELP_PAGES PREPEND ${PROJECT_SOURCE_DIR}/resources/help/ OUTPUT_VARIABLE help_sources)
install(FILES ${help_sources} DESTINATION ${CMAKE_INSTALL_DATADIR}/quilmo/help)
install(FILES packaging/${QUILMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Where the files of the project's tree can be read on the web, for the AppStream screenshot.
set(QUILMO_SOURCE_URL "https://git.orvane.invalid/quilmo/raw/branch/main" CACHE STRING
  "Web address of the project's files, without a final slash")
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
# The synopsis and the lines of the long description within Debian's 80 columns.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "éditeur de fichiers texte en français")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quilmo ouvre un document à la fois dans une fenêtre unique : annulation,"
  "Presse-papiers, indentation automatique, tabulations, retour à la ligne"
  "automatique, recherche et remplacement, marques, plein écran et aide en"
  "français. Il garde l'encodage et les fins de ligne de chaque fichier. Après"
  "un arrêt brutal, il propose de récupérer les modifications non enregistrées."
  ""
  "La commande est Kel, ou quilmo.")
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
