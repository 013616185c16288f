# Declares the library of one source folder: the target named after the folder, headers included
# as "<folder>/<Header>.h", warnings, install rules, and a check that every header compiles on its
# own.
#   notechannels_library(<folder> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
function(notechannels_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${folder} ${ARG_SOURCES})
  target_include_directories(${folder} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:include/notechannels>)
  target_link_libraries(${folder} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  set_target_properties(${folder} PROPERTIES OUTPUT_NAME notechannels_${folder})
  notechannels_warnings(${folder})

  set(headers ${ARG_SOURCES})
  list(FILTER headers INCLUDE REGEX "\\.h$")
  set(checks)
  foreach(header IN LISTS headers)
    set(check "${CMAKE_CURRENT_BINARY_DIR}/header_check/${header}.cpp")
    file(CONFIGURE OUTPUT "${check}" CONTENT "#include \"${folder}/${header}\"\n")
    list(APPEND checks "${check}")
  endforeach()
  add_library(${folder}_header_check OBJECT ${checks})
  set_target_properties(${folder}_header_check PROPERTIES AUTOMOC OFF)
  target_link_libraries(${folder}_header_check PRIVATE ${folder})
  notechannels_warnings(${folder}_header_check)

  install(TARGETS ${folder} EXPORT NoteChannelsTargets ARCHIVE DESTINATION lib LIBRARY DESTINATION lib)
  install(FILES ${headers} DESTINATION include/notechannels/${folder})
endfunction()
