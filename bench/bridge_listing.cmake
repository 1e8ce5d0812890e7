# The horizontal search's listing of a record's candidates (bridges, pairings, routes), done for every record.
add_executable(bridge_listing_bench ${CMAKE_CURRENT_LIST_DIR}/bridge_listing_bench.cpp)
target_include_directories(bridge_listing_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(bridge_listing_bench PRIVATE trevalon_moves benchmark::benchmark trevalon_warnings)
