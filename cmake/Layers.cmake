# Each program folder is one static library, a layer. Sources include headers by their
# folder ("base/String.h"), and a layer's include root holds only the folders it may
# use: itself and everything below it. An include of a folder above fails to compile.
#
# quorvane_layer(name SOURCES ... BELOW layer... [SEES folder/file...] [LIBS ...])
#   BELOW  the layers this one builds on (their own roots come along)
#   SEES   single headers of a folder outside the layers (the library's interface),
#          seen from every layer above too
set(QUORVANE_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

function(quorvane_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;BELOW;SEES;LIBS" ${ARGN})
  set(folders ${name})
  set(sees ${L_SEES})
  foreach(below IN LISTS L_BELOW)
    get_property(below_folders GLOBAL PROPERTY quorvane_layer_${below})
    get_property(below_sees GLOBAL PROPERTY quorvane_sees_${below})
    list(APPEND folders ${below_folders})
    list(APPEND sees ${below_sees})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  list(REMOVE_DUPLICATES sees)
  set_property(GLOBAL PROPERTY quorvane_layer_${name} ${folders})
  set_property(GLOBAL PROPERTY quorvane_sees_${name} ${sees})

  set(root ${QUORVANE_LAYER_ROOTS}/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS folders)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  foreach(header IN LISTS sees)
    get_filename_component(dir ${header} DIRECTORY)
    file(MAKE_DIRECTORY ${root}/${dir})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
  endforeach()

  add_library(quorvane_${name} STATIC ${L_SOURCES})
  target_include_directories(quorvane_${name} PRIVATE ${root})
  list(TRANSFORM L_BELOW PREPEND quorvane_)
  target_link_libraries(quorvane_${name} PUBLIC ${L_BELOW} ${L_LIBS})
endfunction()
