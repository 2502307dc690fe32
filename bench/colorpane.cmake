# The colour pane: one panel cycle, one run of the rule table, and a
# property-list read and write of a profile-list-sized file.
if(TARGET colorpane_core)
  add_bench(bench_colorpane SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_colorpane.cpp LIBS colorpane_core)
  add_dependencies(bench_colorpane colorpane)
endif()
