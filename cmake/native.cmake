# Host build: the portable core and its tests under AddressSanitizer and UBSan
# (PLOTRA_SANITIZE, on by default; the benchmark build turns it off). With
# clang and PLOTRA_FUZZ the fuzz target is built instead.
option(PLOTRA_SANITIZE "Build with AddressSanitizer and UBSan" ON)
option(PLOTRA_FUZZ "Build the libFuzzer target (needs clang)" OFF)
include(cmake/sources.cmake)

if(PLOTRA_FUZZ)
  set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_executable(datatext_fuzz tests/fuzz/DataTextFuzz.cpp ${PLOTRA_CORE_SOURCES})
  target_include_directories(datatext_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(datatext_fuzz PRIVATE ${FUZZ_FLAGS})
  target_link_options(datatext_fuzz PRIVATE ${FUZZ_FLAGS})
  add_executable(griddata_fuzz tests/fuzz/GridDataFuzz.cpp grid/GridData.cpp)
  target_include_directories(griddata_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(griddata_fuzz PRIVATE ${FUZZ_FLAGS})
  target_link_options(griddata_fuzz PRIVATE ${FUZZ_FLAGS})
  return()
endif()

if(PLOTRA_SANITIZE)
  set(SANITIZE -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${SANITIZE})
  add_link_options(${SANITIZE})
endif()

find_package(Threads REQUIRED)
add_library(plotra_core STATIC ${PLOTRA_CORE_SOURCES})
target_include_directories(plotra_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(plotra_core PUBLIC Threads::Threads)

add_executable(native_tests ${PLOTRA_NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE plotra_core GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)
include(cmake/install.cmake)

add_executable(load_benchmark EXCLUDE_FROM_ALL tests/bench/LoadBenchmark.cpp)
target_link_libraries(load_benchmark PRIVATE plotra_core)
