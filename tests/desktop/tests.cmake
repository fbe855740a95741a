# The programs on the private X display with a window manager, driven by real input and read
# from outside. A Windows build leaves these out.
rostari_add_test(tst_startup_desktop SOURCES desktop/tst_startup_desktop.cpp LIBS Qt6::Widgets DESKTOP)
add_dependencies(tst_startup_desktop rostari-bolt)

rostari_add_test(tst_formtop_desktop DESKTOP
  SOURCES desktop/tst_formtop_desktop.cpp desktop/tst_formtop_xprobe.cpp desktop/tst_formtop_xprobe.h
  LIBS rostari_platform PkgConfig::XCB)
rostari_add_test(tst_form2_desktop DESKTOP
  SOURCES desktop/tst_form2_desktop.cpp desktop/tst_formtop_xprobe.cpp desktop/tst_formtop_xprobe.h
  LIBS rostari_about rostari_platform PkgConfig::XCB)

if(NOT WIN32)
  # Read through the accessibility bus, as a screen reader reads the window.
  find_package(Qt6 REQUIRED COMPONENTS DBus)
endif()
# Its slow-drive rows mount a FUSE file system (slowfs.py, python3-fusepy); one waits 30 s.
rostari_add_test(tst_input_desktop DESKTOP
  SOURCES desktop/tst_input_desktop.cpp desktop/tst_formtop_xprobe.cpp desktop/tst_formtop_xprobe.h desktop/slowfs.h
    desktop/accessibletree.cpp desktop/accessibletree.h
  LIBS rostari_core rostari_fixtures PkgConfig::XCB Qt6::DBus TIMEOUT 600)
add_dependencies(tst_input_desktop rostari-bolt rostari-mdbread)

# Proof that the database is only read.
find_program(ROSTARI_STRACE strace)
rostari_add_test(tst_readonly_desktop DESKTOP SOURCES desktop/tst_readonly_desktop.cpp LIBS rostari_core quill_mdb
  TIMEOUT 300)
if(NOT WIN32) # a DESKTOP test, left out there
  target_compile_definitions(tst_readonly_desktop PRIVATE ${robust_definitions} ROSTARI_STRACE="${ROSTARI_STRACE}")
  add_dependencies(tst_readonly_desktop rostari-bolt rostari-mdbread quilldat)
endif()
