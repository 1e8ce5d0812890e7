# The redraw of moves I, II and III on the cell drawing, checked against the rewrite of the code. It uses the
# test support's generated diagrams, so it is built only with the tests.
if(TARGET trevalon_testsupport)
  add_executable(redraw_bench ${CMAKE_CURRENT_LIST_DIR}/redraw_bench.cpp)
  target_link_libraries(redraw_bench PRIVATE trevalon_mainwindow trevalon_testsupport benchmark::benchmark
                                             trevalon_warnings)
  target_compile_definitions(redraw_bench PRIVATE TREVALON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
