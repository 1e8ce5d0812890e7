# The knot designer's compiler: the "compile" sub-command of trevalon-bench. trevalon-bench is created by
# structure.cmake, which sorts after this file, so its library is added once the folder has been read.
cmake_language(DEFER CALL target_link_libraries trevalon-bench PRIVATE trevalon_designer)
