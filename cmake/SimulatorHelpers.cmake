# Build flags and the test helper shared by every target of the project.

macro(simulator_set_global_flags)
  # Identical double arithmetic on every build: SSE2, no fused multiply-add.
  add_compile_options(-ffp-contract=off)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_compile_options(-msse2 -mfpmath=sse)
  endif()
  if(SIMULATOR_SANITIZE)
    add_compile_options(-fsanitize=${SIMULATOR_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${SIMULATOR_SANITIZE})
  endif()
endmacro()

# Warnings for the project's own targets (not for third-party code).
function(simulator_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(SIMULATOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

macro(simulator_setup_gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_gtest EXCLUDE_FROM_ALL)
endmacro()

# simulator_add_gtest(NAME <name> SOURCES <src>... [LIBS <lib>...] [LABELS <label>...] [GUI])
# One test executable, one ctest entry. Each run writes its results as XML into
# ${CMAKE_BINARY_DIR}/results for the summary of the test command. GUI tests run
# one at a time on the test command's display.
function(simulator_add_gtest)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} simulator_test_main GTest::gtest)
  simulator_warnings(${T_NAME})
  set(results ${CMAKE_BINARY_DIR}/results)
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Under Wine a path from the root names the current drive, not the Unix
    # root; Z: is Wine's drive for the Unix file system.
    set(results Z:${results})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_output=xml:${results}/${T_NAME}.xml)
  set(labels ${T_LABELS})
  if(T_GUI)
    list(APPEND labels gui)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
  endif()
  if(labels)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${labels}")
  endif()
endfunction()
