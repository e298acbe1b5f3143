# Build helpers: one line declares a module, a program or a unit test.

# Flags shared by every target of ours: strict warnings, and the sanitizers when asked.
add_library(curso_flags INTERFACE)
target_compile_options(curso_flags INTERFACE
  -Wall -Wextra -Wpedantic -Werror -Wshadow -Wformat=2 -Wundef -Wcast-align
  -Wimplicit-fallthrough)
if(SANITIZE)
  target_compile_options(curso_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(curso_flags INTERFACE -fsanitize=address,undefined)
endif()

# curso_module(<name> SOURCES <files...> [MODULES <modules it uses...>])
# A static library whose folder is on the include path of whoever links it.
function(curso_module name)
  cmake_parse_arguments(M "" "" "SOURCES;MODULES" ${ARGN})
  add_library(${name} STATIC ${M_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC curso_flags ${M_MODULES})
  set_property(GLOBAL APPEND PROPERTY curso_products $<TARGET_FILE:${name}>)
endfunction()

# curso_program(<name> [SOURCES <files...>] [MODULES <modules...>])
# Builds build/bin/<name>; the sources default to <name>.cpp in the calling folder, or to
# <name>.c for a program written in C.
function(curso_program name)
  cmake_parse_arguments(P "" "" "SOURCES;MODULES" ${ARGN})
  if(NOT P_SOURCES AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.c)
    set(P_SOURCES ${name}.c)
  elseif(NOT P_SOURCES)
    set(P_SOURCES ${name}.cpp)
  endif()
  add_executable(${name} ${P_SOURCES})
  # C's getline and friends are POSIX: named so, since ISO C alone hides them.
  target_compile_definitions(${name} PRIVATE $<$<COMPILE_LANGUAGE:C>:_POSIX_C_SOURCE=200809L>)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  # salida checks at exit that standard output was written: every program links it.
  target_link_libraries(${name} PRIVATE curso_flags salida ${P_MODULES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_property(GLOBAL APPEND PROPERTY curso_products $<TARGET_FILE:${name}>)
  set_property(GLOBAL APPEND PROPERTY curso_runnable ${name})
endfunction()

# GoogleTest's headers take most of a unit test's compile time: they are compiled once, here,
# with the unit tests' own flags, and every unit test reuses the result.
function(curso_gtest_headers)
  file(WRITE ${CMAKE_BINARY_DIR}/curso_gtest_pch.cpp "// The unit tests' precompiled headers.\n")
  add_library(curso_gtest_pch OBJECT ${CMAKE_BINARY_DIR}/curso_gtest_pch.cpp)
  target_link_libraries(curso_gtest_pch PRIVATE curso_flags GTest::gtest)
  target_compile_options(curso_gtest_pch PRIVATE -O0)
  target_precompile_headers(curso_gtest_pch PRIVATE <gtest/gtest.h> <string> <cstdio> <cstdlib>)
endfunction()

# curso_unit_test(<name> SOURCES <files...> [MODULES <modules...>] [LABELS <programs...>]
#                 [DEFINITIONS <NAME=value...>] [DEPENDS <targets it runs...>])
# A GoogleTest binary; each of its tests becomes a CTest test. LABELS name what it tests, so
# that `make test P=<name>` picks it; they default to the name of the calling folder.
# Test binaries are built by `make test` only (the curso_tests target), never by `make`.
# Without GoogleTest it declares nothing: tests/CMakeLists.txt then adds one failing test that
# says what to install.
function(curso_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;MODULES;LABELS;DEFINITIONS;DEPENDS" ${ARGN})
  if(NOT GTest_FOUND)
    return()
  endif()
  if(NOT T_LABELS)
    get_filename_component(T_LABELS ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE curso_flags ${T_MODULES} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ${T_DEFINITIONS})
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  # The code under test keeps the build's optimisation; the test code itself need not, and
  # compiles in half the time without it.
  target_compile_options(${name} PRIVATE -O0)
  target_precompile_headers(${name} REUSE_FROM curso_gtest_pch)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # The tests are read from the sources when CMake runs, so that their properties can be
  # lists (gtest_discover_tests flattens them) and `ctest -N` lists them before any build.
  gtest_add_tests(TARGET ${name} SOURCES ${T_SOURCES} TEST_PREFIX ${name}.
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} TEST_LIST tests)
  set_tests_properties(${tests} PROPERTIES
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1"
    LABELS "unit;${T_LABELS}")
  curso_test_binary(${name})
endfunction()

# curso_test_binary(<target>): a program that only the tests need, built by `make test`; a
# case's program file may name it (a driver).
function(curso_test_binary target)
  set_property(GLOBAL APPEND PROPERTY curso_test_binaries ${target})
  set_property(GLOBAL APPEND PROPERTY curso_runnable ${target})
endfunction()
