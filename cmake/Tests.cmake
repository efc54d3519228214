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

# The HTTP server that stands in for web services (cpp-httplib) is a shared library on Debian.
find_library(MOLBENCH_HTTPLIB_LIBRARY cpp-httplib REQUIRED)

foreach(folder ${MOLBENCH_HEADLESS_TEST_FOLDERS})
  molbench_test_suite(test_${folder} ${folder})
  if(TARGET test_${folder})
    target_link_libraries(test_${folder} PRIVATE molbench_headless GTest::gtest GTest::gmock
                                                GTest::gtest_main ${MOLBENCH_HTTPLIB_LIBRARY})
  endif()
endforeach()

if(MOLBENCH_BUILD_QT)
  molbench_test_suite(test_qt qt)
  if(TARGET test_qt)
    target_link_libraries(test_qt PRIVATE molbench_qt molbench_headless GTest::gtest GTest::gmock)
    # Widgets and pages render without an X server; the web engine refuses root unless its
    # sandbox is off, which only the test run sets.
    set_tests_properties(test_qt PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;LC_ALL=C.UTF-8")
  endif()
endif()
