# Build a print-dialog pane as a bundle: NAME.plugin/NAME.so plus Resources/.
function(add_pane_bundle name)
  cmake_parse_arguments(ARG "" "" "SOURCES;RESOURCES;LIBS" ${ARGN})
  set(bundle_dir ${PLUGIN_OUTPUT_DIR}/${name}.plugin)
  add_library(${name} MODULE ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  foreach(res ${ARG_RESOURCES})
    get_filename_component(res_name ${res} NAME)
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle_dir}/Resources
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${res} ${bundle_dir}/Resources/${res_name})
  endforeach()
endfunction()
