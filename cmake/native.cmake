# Host build: the portable core and its tests under AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})
include(cmake/sources.cmake)

add_library(plotra_core STATIC ${PLOTRA_CORE_SOURCES})
target_include_directories(plotra_core PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(native_tests ${PLOTRA_NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE plotra_core GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)
