# GoogleTest for a cross build: Debian ships its sources in /usr/src/googletest
# but no libraries for the target, so they are compiled here, into the build
# directory, and offered under the names that find_package(GTest) gives.
if(TARGET GTest::gtest)
  return()
endif()

set(PLINTH_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${PLINTH_GOOGLETEST_SOURCE}/CMakeLists.txt)
  set(GTest_FOUND FALSE)
  set(GTest_NOT_FOUND_MESSAGE "no GoogleTest sources in ${PLINTH_GOOGLETEST_SOURCE}")
  return()
endif()

# GoogleTest is not held to the project's warning flags, and its headers
# are system headers to the tests, as an installed GoogleTest's would be.
get_directory_property(plinth_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${PLINTH_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${plinth_saved_options}")

foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
set(GTest_FOUND TRUE)
