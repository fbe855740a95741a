# Without a window: the dimension table and the records, the length tables, the libmdb reader's refusals, the settings store and its
# text, keep-on-top by mode, opening a web address.
rostari_add_test(tst_dimensions SOURCES unit/tst_dimensions.cpp LIBS quill_data rostari_fixtures)
add_dependencies(tst_dimensions rostari-mdbread)
rostari_add_test(tst_lengthtables SOURCES unit/tst_lengthtables.cpp LIBS quill_data Qt6::Widgets)
rostari_add_test(tst_mdbtable SOURCES unit/tst_mdbtable.cpp LIBS quill_mdb rostari_fixtures Qt6::Widgets)
rostari_add_test(tst_robust_checks SOURCES unit/tst_robust_checks.cpp LIBS quill_mdb rostari_fixtures Qt6::Widgets)
rostari_add_test(tst_settings SOURCES unit/tst_settings.cpp LIBS rostari_core)
rostari_add_test(tst_settings_input SOURCES unit/tst_settings_input.cpp LIBS rostari_core)
rostari_add_test(tst_formtop SOURCES unit/tst_formtop.cpp LIBS rostari_platform)
rostari_add_test(tst_openurl SOURCES unit/tst_openurl.cpp support/urlstandin.h LIBS rostari_platform)
