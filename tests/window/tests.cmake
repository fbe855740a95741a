# The main window and the About dialog offscreen: records, pages, menus, accessibility, every
# device-pixel ratio, and hostile databases against the window.
rostari_add_test(tst_form1 SOURCES window/tst_form1.cpp LIBS rostari_core)
rostari_add_test(tst_form2 SOURCES window/tst_form2.cpp support/urlstandin.h LIBS rostari_about rostari_platform)
rostari_add_test(tst_records SOURCES window/tst_records.cpp LIBS rostari_core rostari_fixtures)
# The same window under a German locale: values keep their "." and shortest form.
add_test(NAME tst_records_german COMMAND tst_records steppingShowsEveryRecordOnEveryPage)
set(german_env HOME=${ROSTARI_TEST_HOME}/tst_records ${ROSTARI_QT_ENV}QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8
  LANG=de_DE.UTF-8 ${ROSTARI_TEST_FONT_ENV})
set_tests_properties(tst_records_german PROPERTIES ENVIRONMENT "${german_env}" TIMEOUT 300)
if(WIN32)
  set_property(TEST tst_records_german APPEND PROPERTY RESOURCE_LOCK windows_registry)
endif()
rostari_add_test(tst_menus SOURCES window/tst_menus.cpp LIBS rostari_core rostari_fixtures)
rostari_add_test(tst_accessibility SOURCES window/tst_accessibility.cpp LIBS rostari_core rostari_fixtures)
rostari_add_test(tst_pages SOURCES window/tst_pages.cpp LIBS rostari_core rostari_fixtures)

# The window at every device-pixel ratio, each started in a child process on the bundled database;
# tst_hidpi_xft sets the ratio as desktops do, through Xft.dpi on the private X display.
rostari_add_test(tst_hidpi SOURCES window/tst_hidpi.cpp LIBS rostari_core)
add_dependencies(tst_hidpi quilldat rostari-mdbread)
add_test(NAME tst_hidpi_xft COMMAND tst_hidpi xftDpi)
set_tests_properties(tst_hidpi_xft PROPERTIES
  ENVIRONMENT "HOME=${ROSTARI_TEST_HOME}/tst_hidpi;XDG_CONFIG_HOME=${ROSTARI_TEST_HOME}/tst_hidpi/.config;LC_ALL=C.UTF-8;QT_QPA_PLATFORM=xcb"
  RESOURCE_LOCK x_display SKIP_RETURN_CODE 77 LABELS desktop TIMEOUT 300)

# The fuzz findings and corpus through the real reader process, and a corrupted-file matrix
# against the window. They find the reader through /proc, signal it, and use device files and
# file permissions: POSIX only.
if(NOT WIN32)
  rostari_add_test(tst_robust_regressions SOURCES window/tst_robust_regressions.cpp
    LIBS rostari_core rostari_fixtures TIMEOUT 600)
  target_compile_definitions(tst_robust_regressions PRIVATE ${robust_definitions})
  add_dependencies(tst_robust_regressions rostari-mdbread)

  rostari_add_test(tst_matrix SOURCES window/tst_matrix.cpp LIBS rostari_core TIMEOUT 900)
  target_compile_definitions(tst_matrix PRIVATE ${robust_definitions})
  add_dependencies(tst_matrix rostari-mdbread quilldat)
endif()

# The sheet as PDF and the counterbores as DXF, read back by poppler, ezdxf and LibreCAD where
# they are installed.
rostari_add_test(tst_export SOURCES window/tst_export.cpp LIBS rostari_core rostari_fixtures TIMEOUT 900)
target_compile_definitions(tst_export PRIVATE ${robust_definitions})
add_dependencies(tst_export quilldat rostari-mdbread)
