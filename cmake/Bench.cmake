# Each bench/*.cpp is one program that times Molbench against the bare command and prints the
# ratio. scripts/test (so `make test`) runs each once with --small; run them without it for
# full-size figures.
file(GLOB MOLBENCH_BENCH_SOURCES CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/bench/*.cpp)
foreach(source ${MOLBENCH_BENCH_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE molbench_headless)
  target_compile_options(${name} PRIVATE ${MOLBENCH_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    MOLBENCH_TEST_DATA_DIR="${MOLBENCH_SOURCE_DIR}/tests/data")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MOLBENCH_BIN_DIR})
  # The viewer's bench also times the real Qt table (offscreen).
  if(name STREQUAL "viewer_bench" AND TARGET molbench_qt)
    target_link_libraries(${name} PRIVATE molbench_qt)
    target_compile_definitions(${name} PRIVATE MOLBENCH_BENCH_QT=1)
  endif()
endforeach()
