# Helpers that keep the per-folder CMake files short.

# ledrix_library(<name> SOURCES ... DEPS ...)
# A static library whose headers are included as "<folder>/<file>.h" from src/.
function(ledrix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# ledrix_test(<name> SOURCES ... DEPS ...)
# A GoogleTest executable; every test becomes its own ctest entry so that
# ctest -j runs them in parallel.
function(ledrix_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE LEDRIX_TEST_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
