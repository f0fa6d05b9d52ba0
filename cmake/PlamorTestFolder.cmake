# plamor_test_folder(PREFIX prefix LIBS lib...): every *_test.cpp of the calling
# folder becomes its own test program <prefix>_<name>.
function(plamor_test_folder)
  cmake_parse_arguments(F "" "PREFIX" "LIBS;EXTRA_SOURCES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(t ${tests})
    get_filename_component(name ${t} NAME_WE)
    plamor_add_test(NAME ${F_PREFIX}_${name} SOURCES ${t} ${F_EXTRA_SOURCES} LIBS ${F_LIBS})
  endforeach()
endfunction()
