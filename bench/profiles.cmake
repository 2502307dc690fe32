# Profile-list file: reading all three lists of a full file, and the
# service build's whole-file write.
if(TARGET profiles_direct)
  add_bench(bench_profiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_profiles.cpp LIBS profiles_direct)
endif()
