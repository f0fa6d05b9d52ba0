# Run by `cmake --install`: writes the files that name the installed prefix.
# PLAMOR_* folders come from the install rules (cmake/PlamorInstall.cmake).
set(plamor_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

function(plamor_write_installed relative text)
  set(file "${plamor_root}/${relative}")
  message(STATUS "Installing: ${file}")
  file(WRITE "${file}.part" "${text}")
  file(RENAME "${file}.part" "${file}")
endfunction()

plamor_write_installed("${PLAMOR_DATADIR}/dbus-1/services/TessaroPlamor.clsPlamor.service"
"[D-BUS Service]
Name=TessaroPlamor.clsPlamor
Exec=${CMAKE_INSTALL_PREFIX}/${PLAMOR_BINDIR}/plamor --dbus
")

set(pc_head "prefix=${CMAKE_INSTALL_PREFIX}
libdir=\${prefix}/${PLAMOR_LIBDIR}
includedir=\${prefix}/${PLAMOR_INCLUDEDIR}
")
file(MAKE_DIRECTORY "${plamor_root}/${PLAMOR_LIBDIR}/pkgconfig")
plamor_write_installed("${PLAMOR_LIBDIR}/pkgconfig/plamor.pc" "${pc_head}
Name: plamor
Description: The plamor drawing server for host programs, in process or over D-Bus
Version: ${PLAMOR_VERSION}
Requires: Qt6Core
Cflags: -I\${includedir}/plamor
Libs: -L\${libdir} -lplamor-host -lplamor -lplamor-platform
")
plamor_write_installed("${PLAMOR_LIBDIR}/pkgconfig/plamor-charts.pc" "${pc_head}
Name: plamor-charts
Description: The Marovel chart controls (river cross-sections, stage-discharge charts) as Qt widgets
Version: ${PLAMOR_VERSION}
Requires: plamor Qt6Widgets
Cflags: -I\${includedir}/plamor
Libs: -L\${libdir} -lMarovel
")
