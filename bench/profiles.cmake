# Profile-list file: reading all three lists of a full file, and the
# service build's whole-file write.
if(TARGET profiles_direct)
  add_bench(bench_profiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_profiles.cpp LIBS profiles_direct)
endif()

# The relay build, against a running service (see bench/service_bench.sh).
if(TARGET profiles_relay)
  add_bench(bench_relay_write SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_relay_write.cpp LIBS profiles_relay)
endif()
