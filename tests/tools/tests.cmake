# The Access writer and quilldb: unit tests, the command line, and read-back of every
# file written through libmdb's tools and the JavaScript mdb-reader; the Debian package.

# mdb-reader, installed from the committed lock file into the build tree (not for a Windows
# build: the read-back runs Linux programs).
if(NOT WIN32)
  foreach(file package.json package-lock.json readback.mjs)
    configure_file(${CMAKE_CURRENT_SOURCE_DIR}/tools/readback/${file} ${quilldb_readback_dir}/${file} COPYONLY)
  endforeach()
  find_program(QUILLDB_NPM npm)
  add_test(NAME quilldb_readback_npm
    COMMAND ${QUILLDB_NPM} ci --prefix ${quilldb_readback_dir} --no-audit --no-fund --prefer-offline)
  set_tests_properties(quilldb_readback_npm PROPERTIES FIXTURES_SETUP quilldb_mdb_reader TIMEOUT 300)
endif()

rostari_add_test(jetwriter_test SOURCES tools/jetwriter_test.cpp LIBS jetwriter quill_mdb Iconv::Iconv Qt6::Widgets)

rostari_add_test(quilldb_csv_test SOURCES tools/quilldb_csv_test.cpp LIBS quilldb_core Qt6::Widgets)

rostari_add_test(quilldb_cli_test SOURCES tools/quilldb_cli_test.cpp LIBS quilldb_core rostari_fixtures Qt6::Widgets)
target_compile_definitions(quilldb_cli_test PRIVATE ${quilldb_test_definitions})
add_dependencies(quilldb_cli_test quilldb)

if(NOT WIN32)
  rostari_add_test(quilldb_readback_test SOURCES tools/quilldb_readback_test.cpp
    LIBS quilldb_core rostari_fixtures Qt6::Widgets)
  target_compile_definitions(quilldb_readback_test PRIVATE ${quilldb_test_definitions})
  add_dependencies(quilldb_readback_test quilldb quilldat)
  set_tests_properties(quilldb_readback_test PROPERTIES FIXTURES_REQUIRED quilldb_mdb_reader)

  # The Debian package: built, unpacked and started from its temporary root.
  add_test(NAME package_deb COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/package_test.sh ${PROJECT_BINARY_DIR})
  set_tests_properties(package_deb PROPERTIES TIMEOUT 300 LABELS nosanitize RUN_SERIAL TRUE)
endif()
