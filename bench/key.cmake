# The horizontal search's key of a rewritten candidate, the work it does for every candidate it lists.
add_executable(key_bench ${CMAKE_CURRENT_LIST_DIR}/key_bench.cpp)
target_include_directories(key_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(key_bench PRIVATE trevalon_moves benchmark::benchmark trevalon_warnings)
