# sm_test(name SOURCES ... LIBS ... [WINDOW]): a GoogleTest program registered with ctest.
# In the win32 build it runs under Wine (the emulator); WINDOW marks tests that open windows.
function(sm_test name)
  cmake_parse_arguments(T "WINDOW" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(T_WINDOW)
    set_tests_properties(${name} PROPERTIES LABELS window)
  endif()
endfunction()

# sm_fuzz(name SOURCES ... LIBS ... SEEDS dir): a libFuzzer target run for a bounded time
# (SM_FUZZ_SECONDS, default 30) on a copy of its seed corpus.
set(SM_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs under ctest")
function(sm_fuzz name)
  cmake_parse_arguments(F "" "SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set(work ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${SM_FUZZ_SECONDS} -print_final_stats=1 ${work} ${F_SEEDS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 LABELS fuzz)
endfunction()
