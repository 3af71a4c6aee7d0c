# Installs the game as a Linux desktop game:
#   <prefix>/bin/draughts3d, <prefix>/bin/draughts3d-engine
#   <prefix>/share/draughts3d/Textures/*.bmp      the pictures the game reads
#   <prefix>/share/applications/draughts3d.desktop
#   <prefix>/share/icons/hicolor/<N>x<N>/apps/draughts3d.png
#   <prefix>/share/metainfo/io.github.draughts3d.draughts3d.metainfo.xml
#   <prefix>/share/mime/packages/draughts3d.xml   the PDN file type (*.pdn), which the desktop entry opens
#   <prefix>/share/man/man6/draughts3d.6.gz, draughts3d-engine.6.gz
#   <prefix>/share/man/<language>/man6/...        the same in each language of man/
#   <prefix>/share/locale/<language>/LC_MESSAGES/draughts3d.mo   the translations
# The game finds "Textures/" in <prefix>/share/draughts3d, and its translations
# in <prefix>/share/locale, from the folder of its program; the desktop entry
# starts it in the first (its Path key).
#
#   cmake --install build --prefix /usr/local
#
# Included from the top-level CMakeLists.txt; engine-only builds have no game to install.
if(DRAUGHTS_ENGINE_ONLY)
  return()
endif()
include(GNUInstallDirs)

install(TARGETS draughts3d draughts3d-engine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Textures/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/draughts3d/Textures
  FILES_MATCHING PATTERN "*.bmp")
foreach(size 64 128)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/draughts3d-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME draughts3d.png)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.draughts3d.draughts3d.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/draughts3d-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME draughts3d.xml)

# The translations, compiled by po/CMakeLists.txt.
foreach(language IN LISTS DRAUGHTS_LANGUAGES)
  install(FILES ${PROJECT_BINARY_DIR}/share/locale/${language}/LC_MESSAGES/draughts3d.mo
    DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
endforeach()

# The manual pages, compressed as Debian installs them.
find_program(GZIP gzip REQUIRED)
set(man_pages)
foreach(page draughts3d.6 draughts3d-engine.6)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND ${GZIP} -9 -n -f ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}
    VERBATIM)
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# Their translations, man/<language>/<page>, each in its language's folder.
file(GLOB translated_pages RELATIVE ${PROJECT_SOURCE_DIR}/man CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*/*.6)
foreach(translated IN LISTS translated_pages)
  get_filename_component(language ${translated} DIRECTORY)
  get_filename_component(page ${translated} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${language}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/man/${translated} ${CMAKE_BINARY_DIR}/man/${language}/${page}
    COMMAND ${GZIP} -9 -n -f ${CMAKE_BINARY_DIR}/man/${language}/${page}
    DEPENDS ${PROJECT_SOURCE_DIR}/man/${translated}
    VERBATIM)
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${language}/${page}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${language}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man6)
endforeach()
add_custom_target(draughts3d-man ALL DEPENDS ${man_pages})

# The desktop entry names absolute paths under the prefix, which is known only
# when installing (cmake --install --prefix may differ from the configured one),
# so it is written then.
install(CODE "
  set(DRAUGHTS_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(DRAUGHTS_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(DRAUGHTS_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/packaging/draughts3d.desktop.in\")
  set(DRAUGHTS_DESKTOP_OUT \"${CMAKE_CURRENT_BINARY_DIR}/packaging/draughts3d.desktop\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/write_desktop_entry.cmake\")
")

# Installs into a fresh folder under the build tree and checks what arrived.
add_test(NAME install_layout
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
    "-DPREFIX=${CMAKE_BINARY_DIR}/install-test/prefix with space"
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -P ${CMAKE_CURRENT_LIST_DIR}/check_install.cmake)
set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
