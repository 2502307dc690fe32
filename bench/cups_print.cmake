# Printing through CUPS: printdialog --queue up to the job accepted by a
# private cupsd, next to lp with the same options.
if(TARGET cups_test_server AND TARGET printdialog)
  add_bench(bench_cups_print SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_cups_print.cpp LIBS cups_test_server pdk)
  add_dependencies(bench_cups_print printdialog colorpane)
endif()
