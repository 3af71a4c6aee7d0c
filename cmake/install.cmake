# Installs the game as a Linux desktop game:
#   <prefix>/bin/draughts3d, <prefix>/bin/draughts3d-engine
#   <prefix>/share/draughts3d/Textures/*.bmp      the pictures the game reads
#   <prefix>/share/applications/draughts3d.desktop
#   <prefix>/share/icons/hicolor/<N>x<N>/apps/draughts3d.png
# The game reads "Textures/" from its working folder, so the desktop entry
# starts it in <prefix>/share/draughts3d (its Path key).
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
