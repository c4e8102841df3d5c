# Windows build, 32-bit (i686) or 64-bit (x86_64) by the toolchain file: the
# program, its test programs and the smoke test. The 32-bit build computes in
# SSE2, so float and double results are exact (no x87 extended precision);
# x86-64 always does.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
  # On 64-bit Windows the 32-bit programs get 4 GB of address space rather
  # than 2: a large graph's copied picture fits beside the data it shows, the
  # copies the clipboard makes while handing it over included.
  add_link_options(-Wl,--large-address-aware)
endif()
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 NOMINMAX STRICT)
add_link_options(-static -static-libgcc -static-libstdc++)
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}")
include(cmake/sources.cmake)

set(WIN_LIBS user32 gdi32 advapi32 kernel32)

add_library(plotra_core STATIC ${PLOTRA_CORE_SOURCES})
target_include_directories(plotra_core PUBLIC ${CMAKE_SOURCE_DIR})

add_library(plotra_lib STATIC ${PLOTRA_WIN_SOURCES})
target_include_directories(plotra_lib PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(plotra_lib PUBLIC plotra_core ${WIN_LIBS})

# Both programs' version resources take the project's version and the
# architecture from here.
math(EXPR PLOTRA_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(VERSION_RESOURCE_DEFINES VERSION_MAJOR=${PROJECT_VERSION_MAJOR} VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VERSION_PATCH=${PROJECT_VERSION_PATCH} BUILD_BITS=${PLOTRA_BITS})

# Both programs' application manifests, from one template.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(MANIFEST_ARCH x86)
else()
  set(MANIFEST_ARCH amd64)
endif()
function(write_manifest file name description level)
  set(MANIFEST_NAME ${name})
  set(MANIFEST_DESCRIPTION ${description})
  set(MANIFEST_LEVEL ${level})
  configure_file(${CMAKE_SOURCE_DIR}/cmake/app.manifest.in ${CMAKE_BINARY_DIR}/manifests/${file} @ONLY)
endfunction()
write_manifest(plotra.manifest Plotra.LineGraphs "Plotra Line Graphs" asInvoker)
# The setup program writes Program Files and the all-users Start Menu.
write_manifest(install.manifest Plotra.Setup "Plotra Line Graphs setup" requireAdministrator)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/manifests")

add_library(plotra_res OBJECT app/plotra.rc)
target_compile_definitions(plotra_res PRIVATE ${VERSION_RESOURCE_DEFINES})
set_source_files_properties(app/plotra.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/manifests/plotra.manifest;${CMAKE_SOURCE_DIR}/app/resource.h;${CMAKE_SOURCE_DIR}/grid/GridResource.h;${CMAKE_SOURCE_DIR}/app/plotra.ico;${CMAKE_SOURCE_DIR}/app/logo.bmp;${CMAKE_SOURCE_DIR}/app/grid_resize.cur;${CMAKE_SOURCE_DIR}/app/grid_row.cur;${CMAKE_SOURCE_DIR}/app/grid_column.cur")

# The program's own operator new and delete are linked into each executable
# directly, so they take the place of the runtime's.
set(PLOTRA_HEAP framework/SmallBlockHeap.cpp)

add_executable(plotra WIN32 app/PlotraMain.cpp framework/WinMain.cpp ${PLOTRA_HEAP} $<TARGET_OBJECTS:plotra_res>)
target_link_libraries(plotra PRIVATE plotra_lib)
set_target_properties(plotra PROPERTIES OUTPUT_NAME plotra)

# The Win32 tests link the program's library and its resources, and create the
# application object themselves, so every dialog and message box can be answered.
add_executable(win32_tests ${PLOTRA_WIN_TEST_SOURCES} ${PLOTRA_HEAP} $<TARGET_OBJECTS:plotra_res>)
target_link_libraries(win32_tests PRIVATE plotra_lib GTest::gtest)
target_link_libraries(win32_tests PRIVATE ole32 winspool version)
# The version the programs' resources must carry.
target_compile_definitions(win32_tests PRIVATE EXPECTED_VERSION="${PROJECT_VERSION}")
add_test(NAME win32_tests COMMAND win32_tests)

# The portable core's tests again, on this runtime: number text and the
# arithmetic must come out as on the host.
add_executable(core_tests ${PLOTRA_NATIVE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE plotra_core GTest::gtest_main)
add_test(NAME core_tests COMMAND core_tests)

# The smoke test starts plotra.exe as a user would and saves a screenshot.
add_executable(smoke_test tests/win32/SmokeTest.cpp tests/support/PngWriter.cpp tests/support/Screenshot.cpp
               tests/support/TestPrinter.cpp)
target_include_directories(smoke_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(smoke_test PRIVATE ${WIN_LIBS} winspool comdlg32)
add_dependencies(smoke_test plotra)
add_test(NAME smoke_test COMMAND smoke_test $<TARGET_FILE:plotra>
         ${CMAKE_SOURCE_DIR}/samples/sample.plr ${CMAKE_BINARY_DIR}/screenshots/smoke.png)

# The load benchmark (scripts/bench.sh), not part of the tests.
add_executable(load_benchmark EXCLUDE_FROM_ALL tests/bench/LoadBenchmark.cpp ${PLOTRA_HEAP})
target_link_libraries(load_benchmark PRIVATE plotra_lib psapi)

# The drawing benchmark (scripts/bench.sh), not part of the tests.
add_executable(draw_benchmark EXCLUDE_FROM_ALL tests/bench/DrawBenchmark.cpp ${PLOTRA_HEAP})
target_link_libraries(draw_benchmark PRIVATE plotra_lib)

# The start-up benchmark (scripts/bench.sh) starts plotra.exe as a user would.
add_executable(startup_benchmark EXCLUDE_FROM_ALL tests/bench/StartupBenchmark.cpp tests/support/TestPrinter.cpp)
target_include_directories(startup_benchmark PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(startup_benchmark PRIVATE ${WIN_LIBS} psapi winspool)
add_dependencies(startup_benchmark plotra)

# What a window with the large-file warning and nothing else costs under
# Wine (scripts/bench.sh), beside plotra's start-up.
add_executable(warning_floor WIN32 EXCLUDE_FROM_ALL tests/bench/WarningFloor.cpp $<TARGET_OBJECTS:plotra_res>)
target_include_directories(warning_floor PRIVATE ${CMAKE_SOURCE_DIR})

# The grid benchmark (scripts/bench.sh), not part of the tests.
add_executable(grid_benchmark EXCLUDE_FROM_ALL tests/bench/GridBenchmark.cpp ${PLOTRA_HEAP} $<TARGET_OBJECTS:plotra_res>)
target_link_libraries(grid_benchmark PRIVATE plotra_lib)

include(cmake/install.cmake)
