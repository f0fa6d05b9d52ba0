# The Debian package (cpack -G DEB in the build folder): everything the
# install rules put under /usr, with the run-time dependencies dpkg-shlibdeps
# finds in the programs and libraries, and the session bus the server lives on.
set(CPACK_PACKAGE_NAME plamor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tessaro")
set(CPACK_PACKAGE_CONTACT "Plamor developers <plamor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Engineering drawings from river-survey data")
set(CPACK_PACKAGE_DESCRIPTION "The plamor drawing server (D-Bus and in process), the preview renderer, the
stroke font M_G_L.KVD, the chart controls for river cross-sections and
stage-discharge charts, and the programs plamor-draw, plamor-run and
plamor-viewer.")
# Installed with DESTDIR into the staging folder under the prefix /usr, so
# that the files written when installing name /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "dbus")
include(CPack)
