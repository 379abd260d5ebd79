# pav_library(name SOURCES ... DEPS ...): a framework library whose headers are
# reached as "folder/file.h" from src/. A folder without sources yet gives a
# header-only (interface) library, so the layers above still configure.
function(pav_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS" ${ARGN})
  if(L_SOURCES)
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()

# pav_test(name SOURCES ... LIBS ...): one GoogleTest program run by CTest.
# PAV_TEST_DATA points at tests/data and PAV_DIST_DIR at the laid-out tree
# with the generated assets.
function(pav_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    PAV_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    PAV_DIST_DIR="${PAV_DIST_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()
