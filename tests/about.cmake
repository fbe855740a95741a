# The About dialog, keep-on-top and opening a web address.
rostari_add_test(tst_form2 SOURCES tst_form2.cpp LIBS rostari_about rostari_platform)
rostari_add_test(tst_formtop SOURCES tst_formtop.cpp LIBS rostari_platform)
rostari_add_test(tst_openurl SOURCES tst_openurl.cpp LIBS rostari_platform)
rostari_add_test(tst_formtop_desktop DESKTOP
  SOURCES tst_formtop_desktop.cpp tst_formtop_xprobe.cpp tst_formtop_xprobe.h
  LIBS rostari_platform PkgConfig::XCB)
rostari_add_test(tst_form2_desktop DESKTOP
  SOURCES tst_form2_desktop.cpp tst_formtop_xprobe.cpp tst_formtop_xprobe.h
  LIBS rostari_about rostari_platform PkgConfig::XCB)
