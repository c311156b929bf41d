# Helpers shared by the folders' build files.

# tarrowin_add_gtest(NAME SOURCES... LIBS ...): a GoogleTest program registered with ctest.
function(tarrowin_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TARROWIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TARROWIN_BINARY_DIR="${CMAKE_BINARY_DIR}"
    TARROWIN_SHARED_DIR="${TARROWIN_SHARED_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# winsim_add_library(SERVICE SOURCES...): one service of winsim as a static library,
# gathered into the `winsim` target.
function(winsim_add_library service)
  add_library(winsim_${service} STATIC ${ARGN})
  target_include_directories(winsim_${service} PUBLIC
    ${CMAKE_SOURCE_DIR}/winsim/include ${CMAKE_SOURCE_DIR}/winsim)
  if(TARGET PkgConfig::WINSIM_FONT_DEPS)
    target_link_libraries(winsim_${service} PUBLIC PkgConfig::WINSIM_FONT_DEPS)
  endif()
  set_property(GLOBAL APPEND PROPERTY WINSIM_LIBRARIES winsim_${service})
endfunction()
