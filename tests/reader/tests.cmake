# The reader's confinement, and what the viewer does with any answer: its system call filter on
# Linux, its job object and restricted token on Windows.
if(WIN32)
  # The reader as a file that took it over would make it behave (readerprobe.h), a viewer in
  # miniature that starts it and can be killed, and an unsigned library for it to try to load,
  # all in one folder with the test, so that the loaders there start the probe.
  add_executable(rostari-mdbread-probe ${PROJECT_SOURCE_DIR}/data/reader/mdbread_main.cpp
    reader/readerprobe_win.cpp reader/readerprobe.h)
  target_compile_definitions(rostari-mdbread-probe PRIVATE ROSTARI_READER_PROBE)
  target_include_directories(rostari-mdbread-probe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/reader)
  target_link_libraries(rostari-mdbread-probe PRIVATE quill_mdb quill_readerhardening rostari_warnings)
  add_executable(readerhost reader/readerhost_win.cpp)
  target_link_libraries(readerhost PRIVATE quill_data rostari_warnings)
  add_library(readerprobe_library SHARED reader/readerprobe_library_win.c)
  target_link_options(readerprobe_library PRIVATE -static-libgcc)
  rostari_add_test(tst_reader_sandbox_win SOURCES reader/tst_reader_sandbox_win.cpp reader/readerprobe.h
    LIBS quill_data Qt6::Widgets)
  set_target_properties(rostari-mdbread-probe readerhost readerprobe_library tst_reader_sandbox_win PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/probe PREFIX "")
  set_target_properties(rostari-mdbread-probe PROPERTIES OUTPUT_NAME rostari-mdbread)
  target_compile_definitions(tst_reader_sandbox_win PRIVATE
    ROSTARI_BUNDLED_MDB="${ROSTARI_HOST_ROOT}${ROSTARI_DATA_DIR}/quilldat.mdb")
  add_dependencies(tst_reader_sandbox_win rostari-mdbread-probe readerhost readerprobe_library quilldat)
  return()
endif()
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()
# The reader as a file that took it over would make it behave (readerprobe.h), built under the
# reader's own name into a folder of its own, so that the loader of a test there starts it.
add_executable(rostari-mdbread-probe ${PROJECT_SOURCE_DIR}/data/reader/mdbread_main.cpp
  reader/readerprobe.cpp reader/readerprobe.h)
target_compile_definitions(rostari-mdbread-probe PRIVATE ROSTARI_READER_PROBE)
target_include_directories(rostari-mdbread-probe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/reader)
target_link_libraries(rostari-mdbread-probe PRIVATE quill_mdb quill_readerhardening rostari_warnings)
set_target_properties(rostari-mdbread-probe PROPERTIES OUTPUT_NAME rostari-mdbread
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/probe)
rostari_add_test(tst_reader_sandbox SOURCES reader/tst_reader_sandbox.cpp reader/readerprobe.h
  LIBS quill_data quill_mdb rostari_fixtures Qt6::Widgets TIMEOUT 600)
set_target_properties(tst_reader_sandbox PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/probe)
target_compile_definitions(tst_reader_sandbox PRIVATE
  ROSTARI_BUNDLED_MDB="${ROSTARI_DATA_DIR}/quilldat.mdb" ROSTARI_FUZZ_DIR="${PROJECT_SOURCE_DIR}/fuzz")
add_dependencies(tst_reader_sandbox rostari-mdbread rostari-mdbread-probe quilldat)
# No program searches the current folder (or any other) for libraries: a library planted beside
# the database must never be loaded.
add_test(NAME programs_search_no_library_path COMMAND sh -c
  "for p; do readelf -d \"$p\" | grep -E 'R(UN)?PATH' && { echo \"$p has a library search path\"; exit 1; }; done; exit 0"
  sh $<TARGET_FILE:rostari-bolt> $<TARGET_FILE:rostari-mdbread> $<TARGET_FILE:quilldb>)
