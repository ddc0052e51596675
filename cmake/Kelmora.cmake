# Build helpers shared by every folder.

set(KELMORA_WARNINGS -Wall -Wextra)

if(KELMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KELMORA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  # Everything is instrumented for coverage; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(kelmora_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# kelmora_library(<target> [DEPS <libs...>] [PRIVATE_DEPS <libs...>])
# A static library of every .cpp in the current folder (not its subfolders).
# The project root is the include root, so headers are included as "platform/base/Guid.h".
function(kelmora_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${KELMORA_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# kelmora_test(<name> [DEPS <libs...>] [WINDOW] [LOCK <resource>] [ALONE <Suite.Test...>])
# One GoogleTest executable of every .cpp in the current folder. WINDOW marks tests
# that need a display; the test command runs the whole suite under xvfb-run. LOCK names a
# resource of the shared display (the clipboard) that the tests hold alone: ctest runs no
# two tests holding the same resource at once. ALONE names tests that type on the shared
# display's keyboard: the keys go to whichever window has the focus, and a window that
# another test shows meanwhile takes it, so ctest runs these with no other test beside them.
function(kelmora_test name)
  cmake_parse_arguments(ARG "WINDOW" "LOCK" "DEPS;ALONE" ${ARGN})
  if(NOT KELMORA_TESTS)
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ARG_WINDOW)
    # Window tests start wxWidgets once per executable, on the display of the test command.
    list(APPEND sources ${PROJECT_SOURCE_DIR}/tests/support/WxEnvironment.cpp)
  endif()
  set(target kelmora_test_${name})
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${KELMORA_WARNINGS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ARG_WINDOW)
    target_link_libraries(${target} PRIVATE PkgConfig::GLIB)
  endif()
  target_compile_definitions(${target} PRIVATE
    KELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KELMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(properties)
  if(ARG_LOCK)
    set(properties PROPERTIES RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${target}
    TEST_PREFIX "${name}."
    ${properties}
    DISCOVERY_TIMEOUT 120
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(ARG_ALONE)
    # The tests are known only once ctest has listed them, so their property is set by a
    # file ctest reads after the list.
    set(alone_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_alone.cmake)
    set(lines "")
    foreach(test IN LISTS ARG_ALONE)
      string(APPEND lines "set_tests_properties(\"${name}.${test}\" PROPERTIES RUN_SERIAL TRUE)\n")
    endforeach()
    file(WRITE ${alone_file} "${lines}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${alone_file})
  endif()
endfunction()

# kelmora_fuzzer(<name> <source> [DEPS <libs...>])
function(kelmora_fuzzer name source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT KELMORA_FUZZ)
    return()
  endif()
  add_executable(fuzz_${name} ${source})
  target_include_directories(fuzz_${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_DEPS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# kelmora_benchmark(<name> <sources...> [DEPS <libs...>])
function(kelmora_benchmark name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_UNPARSED_ARGUMENTS})
  target_compile_options(bench_${name} PRIVATE ${KELMORA_WARNINGS})
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
endfunction()

# Links a library of a wxWidgets folder (view, app, dialogs) to wxWidgets, whose headers
# and flags its users inherit.
function(kelmora_use_wx target)
  target_link_libraries(${target} PUBLIC ${wxWidgets_LIBRARIES})
  target_include_directories(${target} SYSTEM PUBLIC ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${target} PUBLIC ${wxWidgets_DEFINITIONS})
  target_compile_options(${target} PUBLIC ${wxWidgets_CXX_FLAGS})
endfunction()
