# Helpers that keep the per-area CMakeLists.txt files short: sources are
# gathered by folder, so adding a file needs no edit here.

# tsd_library(NAME DIRS dir... [DEPS lib...] [PUBLIC_DEPS lib...])
# A static library from the *.cpp files directly inside each listed folder
# (relative to the calling CMakeLists.txt). Files in tests/ folders are never
# part of a library. The include root is the source tree's top.
function(tsd_library name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS;PUBLIC_DEPS" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
    list(APPEND srcs ${s})
  endforeach()
  if(NOT srcs)
    message(FATAL_ERROR "tsd_library(${name}): no sources in ${A_DIRS}")
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(A_DEPS)
    target_link_libraries(${name} PRIVATE ${A_DEPS})
  endif()
  if(A_PUBLIC_DEPS)
    target_link_libraries(${name} PUBLIC ${A_PUBLIC_DEPS})
  endif()
endfunction()

# tsd_tests(NAME DIR dir LIBS lib...)
# One GoogleTest executable from every *.cpp in DIR; each test case becomes
# a CTest test. Tests run with the build tree's top as TSD_BINARY_DIR in
# their environment; the source tree's top is the macro TSD_SOURCE_DIR.
function(tsd_tests name)
  if(NOT TSD_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "DIR;PROCESSORS" "LIBS" ${ARGN})
  if(NOT A_PROCESSORS)
    set(A_PROCESSORS 1)
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${A_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  # Every test program gets the leak checker's list of host libraries that
  # keep memory until the process ends.
  add_executable(${name} ${srcs} ${CMAKE_SOURCE_DIR}/tools/testkit/leak_suppressions.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TSD_BINARY_DIR=${CMAKE_BINARY_DIR}"
               PROCESSORS ${A_PROCESSORS})
  # The source tree's top is compiled in: a list of two variables in the
  # ENVIRONMENT property does not survive test discovery.
  target_compile_definitions(${name} PRIVATE TSD_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endfunction()
