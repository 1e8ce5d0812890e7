# The connected-sum search over every pair of arcs. It uses the test support's generated sums, so it is
# built only with the tests.
if(TARGET trevalon_testsupport)
  add_executable(connsum_bench ${CMAKE_CURRENT_LIST_DIR}/connsum_bench.cpp)
  target_link_libraries(connsum_bench PRIVATE trevalon_connsum trevalon_testsupport benchmark::benchmark
                                              trevalon_warnings)
endif()
