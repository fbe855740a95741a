# Headless tests of the data layer and the main window.
rostari_add_test(tst_lengthtables SOURCES tst_lengthtables.cpp LIBS quill_data Qt6::Widgets)
rostari_add_test(tst_settings SOURCES tst_settings.cpp LIBS rostari_core)
rostari_add_test(tst_form1 SOURCES tst_form1.cpp windowtest.h LIBS rostari_core)
rostari_add_test(tst_startup_desktop SOURCES tst_startup_desktop.cpp desktoptools.h LIBS Qt6::Widgets DESKTOP)
add_dependencies(tst_startup_desktop rostari-bolt)
