# Hostile input: the reader's own refusals, the fuzz findings and corpus through the real
# reader process, a corrupted-file matrix against the window, proof that the database is only
# read, and settings text of every kind. (After records.cmake, whose fixtures they use.)
set(robust_definitions
  ROSTARI_BUNDLED_MDB="${ROSTARI_HOST_ROOT}${ROSTARI_DATA_DIR}/quilldat.mdb"
  ROSTARI_FUZZ_DIR="${ROSTARI_HOST_ROOT}${PROJECT_SOURCE_DIR}/fuzz")

rostari_add_test(tst_robust_checks SOURCES tst_robust_checks.cpp LIBS quill_mdb rostari_fixtures Qt6::Widgets)

# These two find the reader through /proc, signal it, and use device files and file
# permissions: POSIX only.
if(NOT WIN32)
  rostari_add_test(tst_robust_regressions SOURCES tst_robust_regressions.cpp windowtest.h
    LIBS rostari_core rostari_fixtures TIMEOUT 600)
  target_compile_definitions(tst_robust_regressions PRIVATE ${robust_definitions})
  add_dependencies(tst_robust_regressions rostari-mdbread)

  rostari_add_test(tst_matrix SOURCES tst_matrix.cpp windowtest.h LIBS rostari_core TIMEOUT 900)
  target_compile_definitions(tst_matrix PRIVATE ${robust_definitions})
  add_dependencies(tst_matrix rostari-mdbread quilldat)
endif()

find_program(ROSTARI_STRACE strace)
rostari_add_test(tst_readonly_desktop DESKTOP SOURCES tst_readonly_desktop.cpp LIBS rostari_core quill_mdb TIMEOUT 300)
if(NOT WIN32) # a DESKTOP test, left out there
  target_compile_definitions(tst_readonly_desktop PRIVATE ${robust_definitions} ROSTARI_STRACE="${ROSTARI_STRACE}")
  add_dependencies(tst_readonly_desktop rostari-bolt rostari-mdbread quilldat)
endif()

rostari_add_test(tst_settings_input SOURCES tst_settings_input.cpp LIBS rostari_core)
