# What `cmake --install` puts where: the programs in bin/, the shared libraries
# with versioned names in the library folder, the stroke font in share/plamor/
# (found there by the server, the libraries and the controls; see
# folders::DataFile), the headers a host needs for drawing in process and
# those of the chart controls under include/plamor/, plamor.pc and
# plamor-charts.pc, the D-Bus activation file naming the installed server,
# the desktop entry, the MIME types of the drawing files, a manual page per
# program, the Python client (package `plamor`) and bash completion.
include(GNUInstallDirs)

set(PLAMOR_PROGRAMS plamor plamor-run plamor-draw plamor-viewer marovel-demo plamor-sample-sheet)
set(PLAMOR_LIBRARIES platform TessaroDll Graphic libplamor plamor_host_shared Marovel)

foreach(lib ${PLAMOR_LIBRARIES})
  set_target_properties(${lib} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endforeach()
# Installed programs find the libraries in the library folder of their prefix;
# libraries find each other beside themselves.
file(RELATIVE_PATH plamor_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(${PLAMOR_PROGRAMS} PROPERTIES INSTALL_RPATH "$ORIGIN/${plamor_bin_to_lib}")

# A prefix that cannot be written is refused before anything is installed:
# one line saying so first on standard error, then the end of the install,
# which CMake can only report in its own framed form.
install(CODE [[
  set(plamor_target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  execute_process(COMMAND mkdir -p "${plamor_target}" OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND test -d "${plamor_target}" -a -w "${plamor_target}" RESULT_VARIABLE plamor_unwritable)
  if(plamor_unwritable)
    message(NOTICE "plamor: cannot install into ${plamor_target}: the folder cannot be made or is not writable")
    message(FATAL_ERROR "nothing was installed")
  endif()
]])

install(TARGETS ${PLAMOR_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${PLAMOR_LIBRARIES} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PLAMOR_BIN_DIR}/M_G_L.KVD DESTINATION ${CMAKE_INSTALL_DATADIR}/plamor)

# Headers of the in-process host entry and of the chart controls, under the
# names the sources use ("server/host/host_entry.h").
set(plamor_host_headers server/host/host_entry.h server/plamor_interface.h server/plamor_members.def
    server/plamor_declarations.inc server/optional_arg.h server/types.h server/automation_error.h
    platform/error_numbers.h)
set(plamor_chart_headers charts/danmen.h charts/danmen_chart.h charts/tbunpu.h charts/tbunpu_chart.h
    charts/cls_data.h charts/section_range.h charts/host_date.h charts/picture.h)
foreach(header ${plamor_host_headers} ${plamor_chart_headers})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plamor/${folder})
endforeach()

# Files that name the installed prefix are written when installing, as
# `cmake --install --prefix` may choose another prefix than the configured one.
install(CODE "set(PLAMOR_VERSION ${PROJECT_VERSION})
  set(PLAMOR_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
  set(PLAMOR_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(PLAMOR_LIBDIR ${CMAKE_INSTALL_LIBDIR})
  set(PLAMOR_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
  set(PLAMOR_DATADIR ${CMAKE_INSTALL_DATADIR})")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/PlamorInstallGenerated.cmake)

if(EXISTS ${PROJECT_SOURCE_DIR}/server/dbus/TessaroPlamor.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/server/dbus/TessaroPlamor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/plamor-viewer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/plamor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(program ${PLAMOR_PROGRAMS})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/man/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/completion/plamor-draw ${PROJECT_SOURCE_DIR}/packaging/completion/plamor-run
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The Python client as the package `plamor`. lib/python3/dist-packages is where
# Debian's python3 finds the modules of packages installed under /usr (the
# Debian package); for another prefix PYTHONPATH names PREFIX/lib/python3/dist-packages.
set(PLAMOR_PYTHON_DIR lib/python3/dist-packages CACHE STRING "Folder under the prefix for the Python package plamor")
install(FILES ${PROJECT_SOURCE_DIR}/clients/python/plamor/__init__.py DESTINATION ${PLAMOR_PYTHON_DIR}/plamor)
