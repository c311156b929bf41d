# Resource scripts compiled into programs.
#
#   tarrowin_add_resources(<target> SCRIPT <file.rc>
#                          [INCLUDE_DIRS <dir>...]   # searched by #include "..." and file names
#                          [DEPENDS <file-or-target>...]  # generated inputs the script reads
#                          [SOURCES <file.cpp>...])  # more sources for the same library
#
# runs `rc` on the script and makes <target> an OBJECT library of the generated table
# (linking `winsim`). Link it into a program or test with target_link_libraries like any
# library: its objects go straight into the executable, so the static initialiser that
# registers the table with winsim::register_module_resources cannot be dropped by the
# linker, as it could from a static archive nothing refers to. Files the script reads
# (includes, bitmaps, icons, data) are tracked through rc's dependency file, so the
# table is rebuilt only when one of them changes.
#
# Example (a test with a dialog):
#   tarrowin_add_resources(my_test_resources SCRIPT dialogs.rc)
#   tarrowin_add_gtest(my_test SOURCES my_test.cpp LIBS my_test_resources winsim)

function(tarrowin_add_resources target)
  cmake_parse_arguments(ARG "" "SCRIPT" "INCLUDE_DIRS;DEPENDS;SOURCES" ${ARGN})
  if(NOT ARG_SCRIPT)
    message(FATAL_ERROR "tarrowin_add_resources(${target}) needs SCRIPT")
  endif()
  get_filename_component(script ${ARG_SCRIPT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(include_args)
  foreach(dir ${ARG_INCLUDE_DIRS})
    get_filename_component(dir ${dir} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND include_args -I ${dir})
  endforeach()
  add_custom_command(
    OUTPUT ${generated}
    COMMAND rc ${include_args} -o ${generated} -d ${generated}.d ${script}
    DEPENDS rc ${script} ${ARG_DEPENDS}
    DEPFILE ${generated}.d
    COMMENT "Compiling resource script ${ARG_SCRIPT}"
    VERBATIM)
  add_library(${target} OBJECT ${generated} ${ARG_SOURCES})
  target_link_libraries(${target} PUBLIC winsim)
endfunction()
