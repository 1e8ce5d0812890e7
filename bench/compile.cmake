# The knot designer's compiler: the "compile" sub-command of trevalon-bench. trevalon-bench is created by
# structure.cmake, which sorts after this file, so its library is added once the folder has been read.
cmake_language(DEFER CALL target_link_libraries trevalon-bench PRIVATE trevalon_designer)
# With Qt, the designer's own decoder of pictures: the harness copies exactly the pictures the designer does.
# Without Qt, no picture is copied.
if(TARGET trevalon_picture_decoder)
  cmake_language(DEFER CALL target_link_libraries trevalon-bench PRIVATE trevalon_picture_decoder)
  cmake_language(DEFER CALL target_compile_definitions trevalon-bench PRIVATE TREVALON_DECODIFICA_IMMAGINI)
  set(compile_picture_decoder decodes)
else()
  set(compile_picture_decoder no-decoder)
endif()

# What the harness writes as the designer's "Make .KNO" does, checked on hostile knot sources.
if(TREVALON_BUILD_TESTS)
  add_test(NAME bench_compile_write COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_compile_write.sh
                                            $<TARGET_FILE:trevalon-bench> ${PROJECT_SOURCE_DIR}/Knots
                                            ${compile_picture_decoder})
endif()
