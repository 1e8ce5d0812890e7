# The readers of the catalogue of named knots and of its batch tools on hostile files of up to 64 MB, each
# case in a child process of its own: peak memory and time.
add_executable(readers_bench ${CMAKE_CURRENT_LIST_DIR}/readers_bench.cpp)
target_include_directories(readers_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(readers_bench PRIVATE trevalon_mainwindow trevalon_warnings)
