# Build a print-dialog pane as a bundle: NAME.plugin/NAME.so plus Resources/
# copied from RESOURCE_DIR.
function(add_pane_bundle name)
  cmake_parse_arguments(ARG "" "RESOURCE_DIR" "SOURCES;LIBS" ${ARGN})
  set(bundle_dir ${PLUGIN_OUTPUT_DIR}/${name}.plugin)
  add_library(${name} MODULE ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${ARG_RESOURCE_DIR}/*)
  add_custom_target(${name}_resources
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ARG_RESOURCE_DIR} ${bundle_dir}/Resources
    DEPENDS ${resource_files}
    COMMENT "Copying ${name} resources")
  add_dependencies(${name} ${name}_resources)
  install(DIRECTORY ${bundle_dir} DESTINATION lib/tlq770-1/plugins USE_SOURCE_PERMISSIONS)
endfunction()
