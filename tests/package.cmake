# The Debian package: built, unpacked and started from its temporary root.
if(WIN32)
  return()
endif()
add_test(NAME package_deb COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(package_deb PROPERTIES TIMEOUT 300 LABELS nosanitize RUN_SERIAL TRUE)
