# The drawings and the icon against their description, and the kept images against the generator.
rostari_add_test(tst_drawings
  SOURCES drawings/tst_drawings.cpp drawings/tst_drawings_counterbore.cpp drawings/tst_drawings_probe.cpp
          drawings/tst_drawings_probe.h drawings/tst_drawings_rows.h drawings/tst_drawings_screw.cpp
          drawings/tst_drawings_washers.cpp
  LIBS rostari_core)
target_compile_definitions(tst_drawings PRIVATE DRAWGEN_PATH="${ROSTARI_HOST_ROOT}$<TARGET_FILE:drawgen>")
add_dependencies(tst_drawings drawgen)
