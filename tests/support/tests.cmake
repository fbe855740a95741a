# What tests share: databases made with the writer, the bundled one's path, the quilldb program.
set(quilldb_readback_dir ${PROJECT_BINARY_DIR}/readback)
set(quilldb_test_definitions
  QUILLDB_EXE="${ROSTARI_HOST_ROOT}$<TARGET_FILE:quilldb>"
  QUILLDB_READBACK_DIR="${quilldb_readback_dir}"
  QUILLDAT_MDB="${ROSTARI_HOST_ROOT}${ROSTARI_DATA_DIR}/quilldat.mdb")
set(robust_definitions
  ROSTARI_BUNDLED_MDB="${ROSTARI_HOST_ROOT}${ROSTARI_DATA_DIR}/quilldat.mdb"
  ROSTARI_FUZZ_DIR="${ROSTARI_HOST_ROOT}${PROJECT_SOURCE_DIR}/fuzz")

add_library(rostari_fixtures STATIC support/fixtures.cpp support/fixtures.h
  support/jet_testsupport.cpp support/jet_testsupport.h)
target_include_directories(rostari_fixtures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_link_libraries(rostari_fixtures PUBLIC jetwriter quilldb_core Qt6::Core PRIVATE rostari_warnings)
target_compile_definitions(rostari_fixtures PRIVATE ${quilldb_test_definitions}
  ROSTARI_SOURCE_DIR="${ROSTARI_HOST_ROOT}${PROJECT_SOURCE_DIR}")
