# The complete run: the "run" sub-command of trevalon-bench and its benchmark on generated diagrams. Sorts
# after structure.cmake, which creates trevalon-bench.
target_link_libraries(trevalon-bench PRIVATE trevalon_mainwindow)

if(TARGET trevalon_testsupport)
  add_executable(complete_run_bench ${CMAKE_CURRENT_LIST_DIR}/complete_run_bench.cpp)
  target_link_libraries(complete_run_bench PRIVATE trevalon_mainwindow trevalon_testsupport benchmark::benchmark
                                           trevalon_warnings)
endif()

# The harness's debug option, checked on a sample knot and on a drawn knot by both roads (object file and
# knot source).
if(TREVALON_BUILD_TESTS)
  add_test(NAME bench_run_debug COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_run_debug.sh $<TARGET_FILE:trevalon-bench>
                                        ${PROJECT_SOURCE_DIR}/Knots/Unknot40.gau ${PROJECT_SOURCE_DIR}/Knots/Trefoil.kno
                                        ${PROJECT_SOURCE_DIR}/Knots/Trefoil.kns ${PROJECT_SOURCE_DIR}/Knots/FigureEight.kno)
endif()
