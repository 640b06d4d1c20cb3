# zet_layer(NAME DEPS...): one static library per folder under src/, made of
# every source in that folder, linking only the layers below it.
#
# Each layer gets an include root of its own that holds just its folder, so
# "#include "NAME/File.h"" resolves only for the layer itself and the layers
# that link it: an upward include between layers fails to build.
function(zet_layer name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp ${CMAKE_SOURCE_DIR}/src/${name}/*.h)
  set(root ${CMAKE_BINARY_DIR}/layer-includes/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  add_library(zet_${name} STATIC ${sources})
  target_include_directories(zet_${name} PUBLIC ${root} ${CMAKE_SOURCE_DIR}/include)
  target_link_libraries(zet_${name} PUBLIC ${ARGN})
endfunction()
