# orvella_fuzzer(<name> SOURCES ... [LIBS ...]): a libFuzzer target, built only with clang and
# -DORVELLA_FUZZ=ON. scripts/test.sh runs every fuzzer in build/fuzz/bin for a fixed time, with
# the seeds of fuzz/corpus/<name>/ when that folder exists.
function(orvella_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY ORVELLA_FUZZERS ${name})
endfunction()
