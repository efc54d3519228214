# Script mode: copies the resources into TARGET_DIR. Missing web libraries are reported, not
# fatal: the program then shows pages without the editor or the 3D viewer.
file(MAKE_DIRECTORY ${TARGET_DIR}/forwebview)
file(COPY ${SOURCE_DIR}/help DESTINATION ${TARGET_DIR})

if(EXISTS ${NODE_MODULES}/jsme-editor/jsme.nocache.js)
  file(COPY ${NODE_MODULES}/jsme-editor/ DESTINATION ${TARGET_DIR}/forwebview/jsme)
else()
  message(WARNING "jsme-editor is not installed: run scripts/setup")
endif()

if(EXISTS ${NODE_MODULES}/3dmol/build/3Dmol-min.js)
  file(COPY ${NODE_MODULES}/3dmol/build/3Dmol-min.js DESTINATION ${TARGET_DIR}/forwebview)
else()
  message(WARNING "3dmol is not installed: run scripts/setup")
endif()
