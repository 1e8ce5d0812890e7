# The trevalon-bench harness (its sub-commands are the harness_*.cpp files) and the structure benchmark.
file(GLOB trevalon_bench_commands CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/harness_*.cpp)
add_executable(trevalon-bench ${CMAKE_CURRENT_LIST_DIR}/trevalon_bench.cpp ${trevalon_bench_commands})
target_include_directories(trevalon-bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trevalon-bench PRIVATE trevalon_model trevalon_warnings)

add_executable(structure_bench ${CMAKE_CURRENT_LIST_DIR}/structure_bench.cpp)
target_include_directories(structure_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(structure_bench PRIVATE trevalon_model benchmark::benchmark trevalon_warnings)

# structure against build on codes the plane check refuses and on codes it accepts.
if(TREVALON_BUILD_TESTS)
  add_test(NAME bench_structure_refusal COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_structure_refusal.sh
                                                $<TARGET_FILE:trevalon-bench>)
endif()
