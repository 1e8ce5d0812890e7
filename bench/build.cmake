# The build of a diagram's picture from its code: the "build" sub-command of trevalon-bench and its
# benchmark. trevalon-bench is created by structure.cmake, which sorts after this file, so its extra
# sources and libraries are added once the folder has been read.
add_executable(build_bench ${CMAKE_CURRENT_LIST_DIR}/bench_build.cpp)
target_include_directories(build_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(build_bench PRIVATE trevalon_layout benchmark::benchmark trevalon_warnings)

cmake_language(DEFER CALL target_link_libraries trevalon-bench PRIVATE trevalon_layout)
cmake_language(DEFER CALL target_include_directories trevalon-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
