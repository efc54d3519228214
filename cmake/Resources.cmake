# Lays out the resource folder beside the program in the build tree and installs it:
#   help/          the help page
#   forwebview/    JSME ("jsme/jsme.nocache.js") and 3Dmol.js ("3Dmol-min.js"), copied from the
#                  npm packages that scripts/setup installs into resources/forwebview/node_modules
set(MOLBENCH_NODE_MODULES ${MOLBENCH_SOURCE_DIR}/resources/forwebview/node_modules)

add_custom_target(molbench_resources ALL
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE_DIR=${MOLBENCH_SOURCE_DIR}/resources
    -DNODE_MODULES=${MOLBENCH_NODE_MODULES}
    -DTARGET_DIR=${MOLBENCH_RESOURCE_BUILD_DIR}
    -P ${MOLBENCH_SOURCE_DIR}/cmake/CopyResources.cmake
  COMMENT "Laying out the resource folder"
  # Without VERBATIM the build tool's shell splits these paths at blanks and quotes.
  VERBATIM)

install(DIRECTORY ${MOLBENCH_RESOURCE_BUILD_DIR}/ DESTINATION share/molbench)
