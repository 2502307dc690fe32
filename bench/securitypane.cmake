# The security pane's credential cipher, next to OpenSSL's AES-256-CBC on
# the same bytes (OpenSSL is a benchmark dependency only).
if(TARGET security_codec)
  find_package(OpenSSL REQUIRED)
  add_bench(bench_security SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_security.cpp LIBS security_codec OpenSSL::Crypto)
endif()
