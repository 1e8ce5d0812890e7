# The closed search tree's examination of a record: its passage table read from its key and the quick move I
# and II checks, the work done for every record once the tree is full.
add_executable(quick_checks_bench ${CMAKE_CURRENT_LIST_DIR}/quick_checks_bench.cpp)
target_include_directories(quick_checks_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quick_checks_bench PRIVATE trevalon_moves benchmark::benchmark trevalon_warnings)
