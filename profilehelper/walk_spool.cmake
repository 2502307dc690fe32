# Target walk_spool: the merge of the printer's profile table into the
# profile list (walk_spool.h), for the service. Included by
# profiles/CMakeLists.txt; link it by name.
if(NOT TARGET walk_spool)
  find_program(NET_SNMP_CONFIG net-snmp-config REQUIRED)
  execute_process(COMMAND ${NET_SNMP_CONFIG} --libs
    OUTPUT_VARIABLE NET_SNMP_LIBS OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(NET_SNMP_LIBS UNIX_COMMAND "${NET_SNMP_LIBS}")

  add_library(walk_spool STATIC ${CMAKE_CURRENT_LIST_DIR}/walk_spool.cpp)
  target_include_directories(walk_spool PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(walk_spool PUBLIC profiles_direct ${NET_SNMP_LIBS})
  set_target_properties(walk_spool PROPERTIES POSITION_INDEPENDENT_CODE ON)
endif()
