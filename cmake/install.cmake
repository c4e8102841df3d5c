# The setup program install.exe, the help file, and the distribution folder
# that holds install.exe with the seven files it copies. install.exe has its
# own sources and resources and links only Windows system libraries.
set(INSTALL_CORE_SOURCES install/InstallRules.cpp)

if(NOT WIN32)
  add_library(install_core STATIC ${INSTALL_CORE_SOURCES})
  target_include_directories(install_core PUBLIC ${CMAKE_SOURCE_DIR})
  target_sources(native_tests PRIVATE tests/native/InstallRulesTest.cpp)
  target_link_libraries(native_tests PRIVATE install_core)
  return()
endif()

find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(HALIBUT halibut REQUIRED)

add_library(install_lib STATIC ${INSTALL_CORE_SOURCES}
  install/Install.cpp install/CopyFiles.cpp install/DdeConversation.cpp install/InstallHooks.cpp
  install/ProgramGroup.cpp install/ShortcutGroup.cpp)
target_include_directories(install_lib PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(install_lib PUBLIC user32 kernel32 shell32 ole32 uuid)
add_library(install_res OBJECT install/install.rc)
target_compile_definitions(install_res PRIVATE ${VERSION_RESOURCE_DEFINES})
set_source_files_properties(install/install.rc PROPERTIES OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/install/resource.h;${CMAKE_BINARY_DIR}/manifests/install.manifest")

# "install" is a name CMake keeps for itself; the file is still install.exe.
add_executable(install_program WIN32 install/WinMain.cpp $<TARGET_OBJECTS:install_res>)
target_link_libraries(install_program PRIVATE install_lib comctl32)
set_target_properties(install_program PROPERTIES OUTPUT_NAME install)

# Help: halibut writes the WinHelp file, its contents file, the HTML Help
# file (one page per chapter, named by its keyword) and the plain text; our
# own step adds the main window's context (0x20002, the frame's resource 2)
# and the startup macro to the WinHelp file, and the text gets CR LF line ends.
set(HELP_RAW ${CMAKE_BINARY_DIR}/help)
set(DIST ${CMAKE_BINARY_DIR}/dist)
add_custom_command(
  OUTPUT ${HELP_RAW}/plotra.hlp ${HELP_RAW}/plotra.cnt ${HELP_RAW}/plotra.chm ${HELP_RAW}/readme.lf.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HELP_RAW}
  COMMAND ${HALIBUT} --winhelp=${HELP_RAW}/plotra.hlp --text=${HELP_RAW}/readme.lf.txt
          --chm=${HELP_RAW}/plotra.chm ${CMAKE_SOURCE_DIR}/help/plotra.but
  DEPENDS ${CMAKE_SOURCE_DIR}/help/plotra.but
  COMMENT "Writing the help file with halibut" VERBATIM)
add_custom_command(
  OUTPUT ${DIST}/plotra.hlp ${DIST}/plotra.cnt ${DIST}/plotra.chm ${DIST}/readme.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/winhelp_context.py ${HELP_RAW}/plotra.hlp ${DIST}/plotra.hlp
          "--map=0x20002=Getting started" "--macro=SetHelpOnFile(`plotra.hlp')"
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_RAW}/plotra.cnt ${DIST}/plotra.cnt
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_RAW}/plotra.chm ${DIST}/plotra.chm
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/crlf.py ${HELP_RAW}/readme.lf.txt ${DIST}/readme.txt
  DEPENDS ${HELP_RAW}/plotra.hlp ${HELP_RAW}/plotra.cnt ${HELP_RAW}/plotra.chm ${HELP_RAW}/readme.lf.txt
          ${CMAKE_SOURCE_DIR}/tools/winhelp_context.py ${CMAKE_SOURCE_DIR}/tools/crlf.py
  COMMENT "Adding the context map to the help file" VERBATIM)

set(DIST_FILES ${DIST}/plotra.hlp ${DIST}/plotra.cnt ${DIST}/plotra.chm ${DIST}/readme.txt)
foreach(sample plortest.plr elect.plr)
  add_custom_command(OUTPUT ${DIST}/${sample}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/samples/${sample} ${DIST}/${sample}
    DEPENDS ${CMAKE_SOURCE_DIR}/samples/${sample})
  list(APPEND DIST_FILES ${DIST}/${sample})
endforeach()
foreach(program plotra install_program)
  get_target_property(name ${program} OUTPUT_NAME)
  add_custom_command(OUTPUT ${DIST}/${name}.exe
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${DIST}/${name}.exe
    DEPENDS ${program})
  list(APPEND DIST_FILES ${DIST}/${name}.exe)
endforeach()
add_custom_target(distribution ALL DEPENDS ${DIST_FILES})
# The program's tests read the version resources of the distribution's programs.
add_dependencies(win32_tests distribution)

# Tests: the setup program run inside the test process with its boxes and
# dialogs answered, and the distribution's install.exe run as a user would.
# The rules' native tests run on this runtime too, where the program's
# portable-core tests do.
if(TARGET core_tests)
  target_sources(core_tests PRIVATE tests/native/InstallRulesTest.cpp)
  target_link_libraries(core_tests PRIVATE install_lib)
endif()

add_executable(install_tests
  tests/install/InstallTestMain.cpp tests/install/InstallHarness.cpp tests/install/TestFiles.cpp
  tests/install/InstallTest.cpp tests/install/InstallDdeTest.cpp
  tests/support/LayoutCheck.cpp tests/support/Screenshot.cpp tests/support/PngWriter.cpp
  $<TARGET_OBJECTS:install_res>)
target_link_libraries(install_tests PRIVATE install_lib GTest::gtest shell32 gdi32)
add_executable(dde_test_server WIN32 tests/install/DdeTestServerMain.cpp tests/install/InstallHarness.cpp
  tests/install/TestFiles.cpp)
target_link_libraries(dde_test_server PRIVATE install_lib)
add_dependencies(install_tests dde_test_server)
add_test(NAME install_tests COMMAND install_tests)

add_executable(setup_test tests/install/SetupRunTest.cpp tests/install/TestFiles.cpp tests/support/PngWriter.cpp tests/support/Screenshot.cpp)
target_include_directories(setup_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(setup_test PRIVATE user32 gdi32 shell32 ole32 uuid)
add_dependencies(setup_test distribution)
add_test(NAME setup_test COMMAND setup_test ${DIST} ${CMAKE_BINARY_DIR}/screenshots)

add_test(NAME help_file COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/help/help_file_test.py ${DIST} ${HELP_RAW})

# Both programs' windows again at 144 and 192 DPI (Wine's LogPixels, which
# each process reads as it starts): screenshots under screenshots/dpi<N>,
# and every dialog checked for clipped texts and overlapping controls.
add_executable(with_dpi tests/support/WithDpi.cpp)
target_include_directories(with_dpi PRIVATE ${CMAKE_SOURCE_DIR})
foreach(dpi 144 192)
  add_test(NAME layout_${dpi} COMMAND with_dpi ${dpi} $<TARGET_FILE:win32_tests> --gtest_filter=Layout.*)
  add_test(NAME setup_layout_${dpi} COMMAND with_dpi ${dpi} $<TARGET_FILE:install_tests> --gtest_filter=*Layout*)
endforeach()
