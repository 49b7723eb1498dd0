# tarkel_layer(NAME FOLDER LINKS lower...): the static library of one core layer, src/FOLDER.
# Its sources include headers as "FOLDER/Header.h". The library sees its own folder and, through
# the libraries it links, the folders of the layers below it, and nothing else: an include of a
# higher layer's header does not compile. Each layer gets an include root in the build tree that
# holds a link to its folder only.
function(tarkel_layer name folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "LINKS")
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${name} STATIC)
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()
