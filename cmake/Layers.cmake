# Each folder of src/ is one layer: its sources make one static library, rastrix_<folder>.
# A layer sees the headers of its own folder and of the layers it uses (and of what those use),
# nothing else: its include path is a folder of its own in the build tree that holds a link to
# its source folder only, and it gets the others' paths by linking them. So an #include of a
# layer it does not use, above or beside it, fails to compile.
# Sources are globbed so a new file in a folder joins its layer without editing CMake.
set_property(GLOBAL PROPERTY RASTRIX_LAYERS "")

# Gives target the include root of one source folder: <build>/layers/<folder>/<folder> -> src/<folder>.
function(rastrix_layer_root target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# rastrix_layer(<folder> [USES <folder>...]): the library of the current source folder.
function(rastrix_layer folder)
  cmake_parse_arguments(L "" "" "USES" ${ARGN})
  set(name rastrix_${folder})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  rastrix_layer_root(${name} ${folder})
  foreach(used ${L_USES})
    target_link_libraries(${name} PUBLIC rastrix_${used})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY RASTRIX_LAYERS ${name})
endfunction()
