# zet_layer(NAME DEPS...): one static library per folder under src/, made of
# every source in that folder. A folder without sources yet is an interface
# target, so the layers above can already link it.
function(zet_layer name)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp ${CMAKE_SOURCE_DIR}/src/${name}/*.h)
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(zet_${name} STATIC ${sources})
    target_include_directories(zet_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/include)
    target_link_libraries(zet_${name} PUBLIC ${ARGN})
  else()
    add_library(zet_${name} INTERFACE)
    target_include_directories(zet_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/include)
    target_link_libraries(zet_${name} INTERFACE ${ARGN})
  endif()
endfunction()
