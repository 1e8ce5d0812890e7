# The complete run on closures of torus braids, where the horizontal search finds nothing and explores its
# whole tree. It uses the test support's braid closures, so it is built only with the tests.
if(TARGET trevalon_testsupport)
  add_executable(torus_bench ${CMAKE_CURRENT_LIST_DIR}/torus_bench.cpp)
  target_link_libraries(torus_bench PRIVATE trevalon_mainwindow trevalon_testsupport trevalon_warnings)
endif()
