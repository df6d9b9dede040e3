# quorbel_layer(<name> FOLDERS <folder>... [EXCLUDE <file>...] [DEPENDS <target>...])
#
# Makes the static library quorbel_layer_<name> of the .cpp files of the last folder named, compiled
# against an include view that holds links to the headers of the folders named and to nothing
# else. A file of the layer that includes a header of a folder outside its view fails to build.
# Each header of the layer's folder is compiled on its own against the same view as well
# (quorbel_layer_<name>_headers, part of every build), so that a header no source of the layer
# includes cannot reach past it either, and every header holds what it needs.
# The view is made again at each configure; a new header is seen once CMake runs again.
function(quorbel_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;EXCLUDE;DEPENDS")
  set(view ${CMAKE_BINARY_DIR}/include-views/${name})
  file(REMOVE_RECURSE ${view})
  foreach(folder ${LAYER_FOLDERS})
    file(MAKE_DIRECTORY ${view}/${folder})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(header ${headers})
      get_filename_component(file_name ${header} NAME)
      file(CREATE_LINK ${header} ${view}/${folder}/${file_name} SYMBOLIC)
    endforeach()
  endforeach()
  list(GET LAYER_FOLDERS -1 own)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${own}/*.cpp)
  foreach(excluded ${LAYER_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(quorbel_layer_${name} STATIC ${sources})
  target_include_directories(quorbel_layer_${name} PRIVATE ${view})
  foreach(dependency ${LAYER_DEPENDS})
    if(TARGET quorbel_layer_${dependency})
      target_link_libraries(quorbel_layer_${name} PUBLIC quorbel_layer_${dependency})
    else()
      target_link_libraries(quorbel_layer_${name} PUBLIC ${dependency})
    endif()
  endforeach()

  file(GLOB own_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${own}/*.h)
  set(probes)
  foreach(header ${own_headers})
    get_filename_component(file_name ${header} NAME_WE)
    set(probe ${CMAKE_BINARY_DIR}/header-probes/${name}/${file_name}.cpp)
    # Written only when it changes, so that a configure rebuilds nothing.
    file(CONFIGURE OUTPUT ${probe} CONTENT "#include \"${own}/${file_name}.h\"\n")
    list(APPEND probes ${probe})
  endforeach()
  if(probes)
    add_library(quorbel_layer_${name}_headers OBJECT ${probes})
    target_include_directories(quorbel_layer_${name}_headers PRIVATE ${view})
    # What the layer's headers need of their dependencies (Qt's headers) comes through the layer;
    # the check compiles, it generates no Qt code.
    target_link_libraries(quorbel_layer_${name}_headers PRIVATE quorbel_layer_${name})
    set_target_properties(quorbel_layer_${name}_headers PROPERTIES AUTOMOC OFF)
  endif()
endfunction()
