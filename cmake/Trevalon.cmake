# Helpers shared by every folder's CMakeLists.

# trevalon_warnings: the warnings every target of the project is built with (and -Werror under
# TREVALON_WERROR). Linked privately, so it never reaches a target outside the project. Qt, GoogleTest and
# Google Benchmark come in as imported targets, whose headers are system includes and do not warn.
add_library(trevalon_warnings INTERFACE)
target_compile_options(trevalon_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Wcast-qual
  -Wformat=2 -Wimplicit-fallthrough -Wsuggest-override -Wconversion)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(trevalon_warnings INTERFACE -Wuseless-cast -Wduplicated-cond -Wlogical-op)
else()
  # Clang's -Wconversion also warns on every signed/unsigned mix, which GCC's leaves to -Wsign-conversion.
  target_compile_options(trevalon_warnings INTERFACE -Wno-sign-conversion)
endif()
if(TREVALON_WERROR)
  target_compile_options(trevalon_warnings INTERFACE -Werror)
endif()

# trevalon_qt_target(NAME): a target of the Qt front end. Its own sources get every warning. The code moc
# writes for it is not ours and may cast in its own way (today's moc does not, later ones may), so the cast
# warnings are off in that one generated file and a new Qt cannot break a -Werror build.
function(trevalon_qt_target name)
  target_link_libraries(${name} PRIVATE trevalon_warnings)
  get_target_property(automoc ${name} AUTOMOC)
  if(automoc)
    get_target_property(autogen_dir ${name} AUTOGEN_BUILD_DIR)
    if(NOT autogen_dir)
      set(autogen_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen)
    endif()
    set(quiet -Wno-old-style-cast)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      list(APPEND quiet -Wno-useless-cast)
    endif()
    set_source_files_properties(${autogen_dir}/mocs_compilation.cpp PROPERTIES COMPILE_OPTIONS "${quiet}")
  endif()
endfunction()

# trevalon_engine_library(NAME SOURCES... [DEPS libs...])
# An engine library: plain C++20, no Qt, headers found from src/.
# A folder without sources yet gives an interface library, so that dependants still link.
function(trevalon_engine_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE trevalon_warnings)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# trevalon_engine_folder(NAME DEPS...): the library trevalon_NAME from every .cpp of the current folder.
function(trevalon_engine_folder name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  trevalon_engine_library(trevalon_${name} SOURCES ${srcs} DEPS ${ARGN})
endfunction()

# trevalon_test_folder(NAME DEPS... [QT]): one test program NAME_tests from every *_test.cpp of the folder.
function(trevalon_test_folder name)
  cmake_parse_arguments(ARG "QT" "" "" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT srcs)
    return()
  endif()
  if(ARG_QT)
    trevalon_test(${name}_tests QT SOURCES ${srcs} DEPS ${ARG_UNPARSED_ARGUMENTS})
  else()
    trevalon_test(${name}_tests SOURCES ${srcs} DEPS ${ARG_UNPARSED_ARGUMENTS})
  endif()
endfunction()

# trevalon_test_pch(): the headers every test program reads (GoogleTest and the standard library's most
# used), compiled once into a header that every test program without Qt reuses. Parsing them is about half
# of what an unoptimised test file costs, a tenth of a sanitized one. -Winvalid-pch reports a program whose
# flags the header does not fit (and fails the build under -Werror), rather than parsing them again.
function(trevalon_test_pch)
  if(TARGET trevalon_test_pch)
    return()
  endif()
  set(src ${CMAKE_BINARY_DIR}/trevalon_test_pch.cpp)
  if(NOT EXISTS ${src})
    file(WRITE ${src} "// The test programs' precompiled header is compiled with this empty file.\n")
  endif()
  add_library(trevalon_test_pch OBJECT ${src})
  set_target_properties(trevalon_test_pch PROPERTIES AUTOMOC OFF)
  target_link_libraries(trevalon_test_pch PRIVATE GTest::gtest trevalon_warnings)
  target_precompile_headers(trevalon_test_pch PRIVATE
    <gtest/gtest.h> <algorithm> <filesystem> <fstream> <functional> <map> <memory> <set> <sstream> <string>
    <tuple> <utility> <vector>)
endfunction()

# trevalon_test(NAME SOURCES... [DEPS libs...] [QT])
# A GoogleTest program registered with CTest. QT tests run on the offscreen platform (their QApplication
# chooses it) without leak checks (the platform libraries keep caches until exit).
function(trevalon_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  if(ARG_QT)
    trevalon_qt_target(${name})
  else()
    target_link_libraries(${name} PRIVATE trevalon_warnings)
    trevalon_test_pch()
    target_precompile_headers(${name} REUSE_FROM trevalon_test_pch)
    target_compile_options(${name} PRIVATE -Winvalid-pch)
  endif()
  target_compile_definitions(${name} PRIVATE TREVALON_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                             TREVALON_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  include(GoogleTest)
  if(ARG_QT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
