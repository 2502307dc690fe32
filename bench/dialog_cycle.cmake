# The whole dialog cycle with both panes next to the colour pane alone, and
# one security panel cycle in process.
if(TARGET securitypane_core AND TARGET printdialog)
  add_bench(bench_dialog_cycle SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_dialog_cycle.cpp LIBS securitypane_core)
  add_dependencies(bench_dialog_cycle printdialog colorpane securitypane)
endif()
