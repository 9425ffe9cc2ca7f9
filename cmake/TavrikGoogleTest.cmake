# GoogleTest: the machine's prebuilt library for native builds, or built from the Debian source
# package (/usr/src/googletest) where the prebuilt one does not fit (-m32, mingw-w64).

option(TAVRIK_GTEST_FROM_SOURCE "Build GoogleTest from /usr/src/googletest" OFF)
set(TAVRIK_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")

if(TAVRIK_GTEST_FROM_SOURCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(${TAVRIK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
