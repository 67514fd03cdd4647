# Every executable and DLL lands in build/bin, so tests find their modules.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# add_wine_gtest(<name> SOURCES ... [LIBS ...] [SERIAL] [LOCKS ...] [TIMEOUT s]
#                [RUNNER <script> [RUNNER_ARGS ...]])
# One GoogleTest executable, one CTest entry, run under Wine by the
# cross-compiling emulator, or by RUNNER, a script that starts the peers the
# program needs and then runs it as: bash <script> RUNNER_ARGS... <program>.
# SERIAL keeps it from running beside other tests (windows found by class,
# fixed ports, a shared device); LOCKS keeps it from running beside the tests
# that name the same resource (com_registration: the prefix's class
# registrations).
function(add_wine_gtest name)
  cmake_parse_arguments(T "SERIAL" "TIMEOUT;RUNNER" "SOURCES;LIBS;LOCKS;RUNNER_ARGS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testmain)
  if(T_RUNNER)
    add_test(NAME ${name}
      COMMAND bash ${T_RUNNER} ${T_RUNNER_ARGS} $<TARGET_FILE_NAME:${name}>
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  else()
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(T_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()

# Checks that every built module is a 32-bit x86 Windows image.
function(add_pe32_check)
  add_test(NAME pe32_images
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${MINGW_OBJDUMP} -DDIR=${CMAKE_BINARY_DIR}/bin
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckPe32.cmake)
endfunction()

# add_wine_bench(<name> SOURCES ... [LIBS ...]): a benchmark executable. It is
# built with everything but is no test: scripts/bench runs every *_bench.exe
# and each prints its figures.
function(add_wine_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT name MATCHES "_bench$")
    message(FATAL_ERROR "benchmark names end in _bench: ${name}")
  endif()
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
endfunction()
