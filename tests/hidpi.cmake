# The window at every device-pixel ratio, each started in a child process on the bundled database;
# tst_hidpi_xft sets the ratio as desktops do, through Xft.dpi on the private X display.
rostari_add_test(tst_hidpi SOURCES tst_hidpi.cpp LIBS rostari_core)
add_dependencies(tst_hidpi quilldat rostari-mdbread)
add_test(NAME tst_hidpi_xft COMMAND tst_hidpi xftDpi)
set_tests_properties(tst_hidpi_xft PROPERTIES
  ENVIRONMENT "HOME=${ROSTARI_TEST_HOME}/tst_hidpi;XDG_CONFIG_HOME=${ROSTARI_TEST_HOME}/tst_hidpi/.config;LC_ALL=C.UTF-8;QT_QPA_PLATFORM=xcb"
  RESOURCE_LOCK x_display SKIP_RETURN_CODE 77 LABELS desktop TIMEOUT 300)
