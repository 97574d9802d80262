# Each fuzz target runs as a test (label fuzz) for HOSHIWA2_FUZZ_SECONDS from the committed seed
# corpus; new inputs go to a scratch corpus in the build folder, and the input behind a crash, a
# sanitizer report, a broken property, a hang (over 10 s) or running out of memory is kept
# beside it, to replay with `FUZZ_TARGET ARTIFACT`.
set(HOSHIWA2_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs in its test")
foreach(target fuzz_primitives fuzz_load fuzz_search)
  set(run ${CMAKE_BINARY_DIR}/fuzz-runs/${target})
  file(MAKE_DIRECTORY ${run}/corpus)
  add_test(NAME ${target}
           COMMAND ${target} -max_total_time=${HOSHIWA2_FUZZ_SECONDS} -timeout=10
                   -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=${run}/ ${run}/corpus
                   ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
  set_tests_properties(${target} PROPERTIES LABELS fuzz)
endforeach()
