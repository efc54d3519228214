# Benchmarks print ratios against the bare commands; `make test` runs them at a small size.
file(GLOB MOLBENCH_BENCH_SOURCES CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/bench/*.cpp)
foreach(source ${MOLBENCH_BENCH_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE molbench_panes)
  target_compile_options(${name} PRIVATE ${MOLBENCH_WARNINGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MOLBENCH_BIN_DIR})
endforeach()
