# Declares the library of one source folder: the target named after the folder, headers included
# as "<folder>/<Header>.h", warnings, install rules, and a check that every header compiles on its
# own. Only the public headers are installed; INTERNAL_HEADERS (kernels, loop templates, helpers of
# the folder's own sources) stay in the source tree, and no installed header may include one.
#   notechannels_library(<folder> SOURCES ... [INTERNAL_HEADERS ...] [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
function(notechannels_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;INTERNAL_HEADERS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${folder} ${ARG_SOURCES} ${ARG_INTERNAL_HEADERS})
  target_include_directories(${folder} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:include/notechannels>)
  target_link_libraries(${folder} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  set_target_properties(${folder} PROPERTIES OUTPUT_NAME notechannels_${folder})
  notechannels_warnings(${folder})

  set(headers ${ARG_SOURCES})
  list(FILTER headers INCLUDE REGEX "\\.h$")
  set(checks)
  foreach(header IN LISTS headers ARG_INTERNAL_HEADERS)
    set(check "${CMAKE_CURRENT_BINARY_DIR}/header_check/${header}.cpp")
    file(CONFIGURE OUTPUT "${check}" CONTENT "#include \"${folder}/${header}\"\n")
    list(APPEND checks "${check}")
  endforeach()
  add_library(${folder}_header_check OBJECT ${checks})
  target_link_libraries(${folder}_header_check PRIVATE ${folder})
  notechannels_warnings(${folder}_header_check)

  foreach(header IN LISTS headers)
    file(STRINGS "${CMAKE_CURRENT_SOURCE_DIR}/${header}" includes REGEX "^#include \"${folder}/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"${folder}/([^\"]+)\".*" "\\1" included "${line}")
      if(included IN_LIST ARG_INTERNAL_HEADERS)
        message(FATAL_ERROR "${folder}/${header} is installed but includes the internal ${folder}/${included}")
      endif()
    endforeach()
  endforeach()

  install(TARGETS ${folder} EXPORT NoteChannelsTargets ARCHIVE DESTINATION lib LIBRARY DESTINATION lib)
  install(FILES ${headers} DESTINATION include/notechannels/${folder})
endfunction()
