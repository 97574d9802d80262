# Instrumented builds, meant for clang (CC=clang CXX=clang++).
#
# HOSHIWA2_SANITIZE builds everything with AddressSanitizer and UndefinedBehaviorSanitizer; any
# report ends the program with a failure, so a test that trips one fails.
#
# HOSHIWA2_FUZZ builds the libFuzzer targets in fuzz/: the engine and the tools are instrumented
# for coverage (fuzzer-no-link) with the same sanitizers, and only the fuzz targets link the
# libFuzzer driver.

option(HOSHIWA2_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (clang)" OFF)
option(HOSHIWA2_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

if(HOSHIWA2_SANITIZE OR HOSHIWA2_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "HOSHIWA2_SANITIZE and HOSHIWA2_FUZZ need clang: "
                        "configure with CC=clang CXX=clang++")
  endif()
  set(HOSHIWA2_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                               -fno-omit-frame-pointer)
  if(HOSHIWA2_FUZZ)
    list(APPEND HOSHIWA2_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${HOSHIWA2_SANITIZER_FLAGS})
  add_link_options(${HOSHIWA2_SANITIZER_FLAGS})
endif()
