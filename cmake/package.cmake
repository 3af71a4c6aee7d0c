# The Debian package: in the build folder, `cpack -G DEB` makes
# draughts3d_<version>_<arch>.deb, installing under /usr:
#   sudo apt install ./draughts3d_*.deb
# Its library dependencies are read from the programs (dpkg-shlibdeps); the HUD
# font comes from fonts-liberation, and the start question and the error boxes
# are drawn with the X core fonts of xfonts-base.
if(DRAUGHTS_ENGINE_ONLY)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME draughts3d)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "draughts3d developers")
set(CPACK_PACKAGE_CONTACT "draughts3d developers <draughts3d@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D draughts against the computer")
set(CPACK_PACKAGE_DESCRIPTION "A three-dimensional draughts game for one player against the computer.
The board stands on a table in a furnished, textured room; moves are typed
as two squares. Russian-style rules: men capture backwards, kings fly,
capture is compulsory.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "draughts3d developers <draughts3d@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-base")
set(CPACK_STRIP_FILES ON)
include(CPack)
