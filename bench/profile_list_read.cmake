# The profile-list read next to libplist and Python's plistlib, and a whole
# printdialog run with a full list next to one without.
if(TARGET profiles_direct)
  add_bench(bench_profile_list_read
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_profile_list_read.cpp
    LIBS profiles_direct PkgConfig::PLIST)
endif()
if(TARGET profiles_direct AND TARGET printdialog)
  add_bench(bench_printdialog_run SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_printdialog_run.cpp LIBS profiles_direct)
  add_dependencies(bench_printdialog_run printdialog)
endif()
