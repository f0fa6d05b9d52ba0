# plamor_add_test(NAME name SOURCES file... [LIBS lib...])
# One GoogleTest program per feature; its cases are registered with CTest one by one.
find_package(GTest REQUIRED)
include(GoogleTest)

function(plamor_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    PLAMOR_BIN_DIR="${PLAMOR_BIN_DIR}"
    PLAMOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Test names carry their program's name, so "ctest -R charts_" selects a folder.
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${T_NAME}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/PlamorTestFolder.cmake)
