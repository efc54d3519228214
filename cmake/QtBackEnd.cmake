# The Qt back end (adapters, layout loader, windows) and the program itself.
set(CMAKE_AUTOMOC ON)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets WebEngineWidgets UiTools)

file(GLOB MOLBENCH_QT_SOURCES CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/src/qt/*.cpp)
list(FILTER MOLBENCH_QT_SOURCES EXCLUDE REGEX "/main\\.cpp$")
file(GLOB MOLBENCH_QT_HEADERS CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/src/qt/*.h)

# The layout "Main": one .ui file per scene, compiled in as Qt resources under ":/Main/".
file(GLOB MOLBENCH_LAYOUT_FILES CONFIGURE_DEPENDS ${MOLBENCH_SOURCE_DIR}/resources/Main/*.ui)

add_library(molbench_qt STATIC ${MOLBENCH_QT_SOURCES} ${MOLBENCH_QT_HEADERS})
target_link_libraries(molbench_qt PUBLIC molbench_panes Qt6::Core Qt6::Gui Qt6::Widgets
                                         Qt6::WebEngineWidgets Qt6::UiTools)
target_compile_options(molbench_qt PRIVATE ${MOLBENCH_WARNINGS})
if(MOLBENCH_LAYOUT_FILES)
  set(MOLBENCH_LAYOUT_ALIASES "")
  foreach(file ${MOLBENCH_LAYOUT_FILES})
    get_filename_component(name ${file} NAME)
    set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${name})
  endforeach()
  qt_add_resources(molbench_qt molbench_layout PREFIX /Main FILES ${MOLBENCH_LAYOUT_FILES})
endif()

if(EXISTS ${MOLBENCH_SOURCE_DIR}/src/qt/main.cpp)
  add_executable(molbench ${MOLBENCH_SOURCE_DIR}/src/qt/main.cpp)
  target_link_libraries(molbench PRIVATE molbench_qt)
  target_compile_options(molbench PRIVATE ${MOLBENCH_WARNINGS})
  set_target_properties(molbench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MOLBENCH_BIN_DIR})
  add_dependencies(molbench molbench_resources)
  install(TARGETS molbench RUNTIME DESTINATION bin)
endif()
