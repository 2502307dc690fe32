# Builds that look for memory and undefined-behaviour faults. Included before
# the components, so that every target, libraries included, is instrumented.
#
# TLQ_SANITIZE: the whole tree and its tests under AddressSanitizer and
#   UndefinedBehaviorSanitizer; any finding ends the process with an error.
# TLQ_FUZZ: the same sanitizers plus libFuzzer coverage, with clang++ for the
#   whole tree (code built without coverage is invisible to the fuzzer); the
#   fuzz targets are in fuzz/.
option(TLQ_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TLQ_FUZZ "Build the libFuzzer targets (needs clang++)" OFF)

# -O1 and line tables only (-g1): reports keep their file and line numbers,
# and these builds, made on every test run, take much less time.
set(tlq_sanitizer_flags -O1 -g1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
if(TLQ_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TLQ_FUZZ=ON needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link ${tlq_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
elseif(TLQ_SANITIZE)
  add_compile_options(${tlq_sanitizer_flags})
  add_link_options(-fsanitize=address,undefined)
endif()
