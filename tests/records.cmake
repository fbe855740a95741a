# Tests on size databases made with the writer (after quilldb.cmake, whose helpers they share).
add_library(rostari_fixtures STATIC fixtures.cpp fixtures.h jet_testsupport.cpp jet_testsupport.h)
target_include_directories(rostari_fixtures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rostari_fixtures PUBLIC jetwriter quilldb_core Qt6::Core PRIVATE rostari_warnings)
target_compile_definitions(rostari_fixtures PRIVATE ${quilldb_test_definitions} ROSTARI_SOURCE_DIR="${ROSTARI_HOST_ROOT}${PROJECT_SOURCE_DIR}")

rostari_add_test(tst_mdbtable SOURCES tst_mdbtable.cpp LIBS quill_mdb rostari_fixtures Qt6::Widgets)
rostari_add_test(tst_records SOURCES tst_records.cpp windowtest.h LIBS rostari_core rostari_fixtures)
# The same window under a German locale: values keep their "." and shortest form.
add_test(NAME tst_records_german COMMAND tst_records steppingShowsEveryRecordOnEveryPage)
set(german_env HOME=${ROSTARI_TEST_HOME}/tst_records ${ROSTARI_QT_ENV}QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8
  LANG=de_DE.UTF-8 ${ROSTARI_TEST_FONT_ENV})
set_tests_properties(tst_records_german PROPERTIES ENVIRONMENT "${german_env}" TIMEOUT 300)
if(WIN32)
  set_property(TEST tst_records_german APPEND PROPERTY RESOURCE_LOCK windows_registry)
endif()
rostari_add_test(tst_menus SOURCES tst_menus.cpp windowtest.h LIBS rostari_core rostari_fixtures)
rostari_add_test(tst_accessibility SOURCES tst_accessibility.cpp windowtest.h LIBS rostari_core rostari_fixtures)
rostari_add_test(tst_pages SOURCES tst_pages.cpp windowtest.h LIBS rostari_core rostari_fixtures)
