# orvella_test(<name> SOURCES ... [LIBS ...] [LABELS ...])
# Natively a plain executable; on the x64 Windows build it runs under wine64 through
# CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-exec.sh).
function(orvella_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()
