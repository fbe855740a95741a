# The program driven by real input on the private X display, read from outside.
rostari_add_test(tst_input_desktop DESKTOP
  SOURCES tst_input_desktop.cpp desktoptools.h windowtest.h tst_formtop_xprobe.cpp tst_formtop_xprobe.h
  LIBS rostari_core rostari_fixtures PkgConfig::XCB)
add_dependencies(tst_input_desktop rostari-bolt rostari-mdbread)
