# One test program per folder of tests/ (tests/qt has its own main for the Qt application;
# tests/data holds molecule files).
find_package(GTest REQUIRED)
include(GoogleTest)

set(MOLBENCH_TEST_DATA_DIR ${MOLBENCH_SOURCE_DIR}/tests/data)

function(molbench_test_suite name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${MOLBENCH_SOURCE_DIR}/tests/TestSupport.cpp ${ARGN})
  target_include_directories(${name} PRIVATE ${MOLBENCH_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${MOLBENCH_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    MOLBENCH_TEST_DATA_DIR="${MOLBENCH_TEST_DATA_DIR}"
    MOLBENCH_RESOURCE_BUILD_DIR="${MOLBENCH_RESOURCE_BUILD_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MOLBENCH_BIN_DIR})
  add_dependencies(${name} molbench_resources)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
endfunction()

file(GLOB MOLBENCH_TEST_FOLDERS LIST_DIRECTORIES true CONFIGURE_DEPENDS
  ${MOLBENCH_SOURCE_DIR}/tests/*)
set(MOLBENCH_HEADLESS_TEST_FOLDERS "")
foreach(path ${MOLBENCH_TEST_FOLDERS})
  get_filename_component(folder ${path} NAME)
  if(IS_DIRECTORY ${path} AND NOT folder MATCHES "^(qt|data)$")
    list(APPEND MOLBENCH_HEADLESS_TEST_FOLDERS ${folder})
  endif()
endforeach()

# The web-service tests answer from a real HTTP server on 127.0.0.1 (cpp-httplib, a library
# in Debian whose header must see the same feature switches it was built with).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CPP_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

foreach(folder ${MOLBENCH_HEADLESS_TEST_FOLDERS})
  molbench_test_suite(test_${folder} ${folder})
  if(TARGET test_${folder})
    target_link_libraries(test_${folder} PRIVATE molbench_headless GTest::gtest GTest::gmock
                                                GTest::gtest_main PkgConfig::CPP_HTTPLIB)
  endif()
endforeach()

if(MOLBENCH_BUILD_QT)
  molbench_test_suite(test_qt qt)
  if(TARGET test_qt)
    target_link_libraries(test_qt PRIVATE molbench_qt molbench_headless GTest::gtest GTest::gmock
                                          PkgConfig::CPP_HTTPLIB)
    # Widgets and pages render without an X server; the web engine refuses root unless its
    # sandbox is off, which only the test run sets.
    set_tests_properties(test_qt PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;LC_ALL=C.UTF-8")
  endif()
endif()

# The 3D view draws with WebGL, which renders only on an X display: this program runs under
# xvfb-run with the xcb platform (never offscreen) and reports itself skipped (77) when no
# display can be had.
if(MOLBENCH_BUILD_QT)
  file(GLOB MOLBENCH_WEBGL_TEST_SOURCES CONFIGURE_DEPENDS
    ${MOLBENCH_SOURCE_DIR}/tests/qt/LookupWebGL/*.cpp)
  add_executable(test_qt_webgl ${MOLBENCH_WEBGL_TEST_SOURCES}
    ${MOLBENCH_SOURCE_DIR}/tests/qt/SceneFixture.cpp ${MOLBENCH_SOURCE_DIR}/tests/TestSupport.cpp)
  target_include_directories(test_qt_webgl PRIVATE ${MOLBENCH_SOURCE_DIR}/tests
                                                   ${MOLBENCH_SOURCE_DIR}/tests/qt)
  target_compile_options(test_qt_webgl PRIVATE ${MOLBENCH_WARNINGS})
  target_compile_definitions(test_qt_webgl PRIVATE
    MOLBENCH_TEST_DATA_DIR="${MOLBENCH_TEST_DATA_DIR}"
    MOLBENCH_RESOURCE_BUILD_DIR="${MOLBENCH_RESOURCE_BUILD_DIR}")
  set_target_properties(test_qt_webgl PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MOLBENCH_BIN_DIR})
  add_dependencies(test_qt_webgl molbench_resources)
  target_link_libraries(test_qt_webgl PRIVATE molbench_qt molbench_headless GTest::gtest
                                              GTest::gmock)
  find_program(MOLBENCH_XVFB_RUN xvfb-run)
  if(MOLBENCH_XVFB_RUN)
    add_test(NAME test_qt_webgl COMMAND ${MOLBENCH_XVFB_RUN} -a -s "-screen 0 1280x900x24"
                                        $<TARGET_FILE:test_qt_webgl>)
  else()
    add_test(NAME test_qt_webgl COMMAND test_qt_webgl)
  endif()
  # No Chromium switches from outside: the program must ask for what the 3D view needs itself.
  set_tests_properties(test_qt_webgl PROPERTIES SKIP_RETURN_CODE 77 ENVIRONMENT
    "QT_QPA_PLATFORM=xcb;QTWEBENGINE_DISABLE_SANDBOX=1;LC_ALL=C.UTF-8"
    ENVIRONMENT_MODIFICATION "QTWEBENGINE_CHROMIUM_FLAGS=unset:")
endif()
