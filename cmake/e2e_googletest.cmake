# GoogleTest for the Windows-side end-to-end programs, built with the same
# compiler as the program: the MinGW cross-builds take Debian's sources
# (the googletest package, see scripts/setup.sh). Built only when a program
# links it, and with its own warning settings, not ours.
# The result is the target GTest::gtest; whoever adds another source (a
# download for Visual Studio, for instance) adds it here.
if(TARGET GTest::gtest)
  return()
endif()

if(MSVC)
  # Visual Studio has no Debian sources: the same release as Debian's,
  # downloaded at configure time and checked. Its unit tests use gmock too;
  # the runtime is ours (static, CMAKE_MSVC_RUNTIME_LIBRARY).
  include(FetchContent)
  set(CMAKE_POLICY_DEFAULT_CMP0091 NEW)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  FetchContent_Declare(googletest
    URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz
    URL_HASH SHA256=81964fe578e9bd7c94dfdb09c8e4d6e6759e19967e397dbea48d1c10e45d0df2)
  FetchContent_MakeAvailable(googletest)
  # GoogleTest 1.12 makes its own warnings errors (-WX), and its headers would
  # meet our /W4 /WX in every test: a newer Visual Studio than it knew must
  # not stop our build over either (system headers get no warnings).
  foreach(gtestTarget gtest gtest_main gmock gmock_main)
    if(TARGET ${gtestTarget})
      target_compile_options(${gtestTarget} PRIVATE /WX-)
      if(NOT CMAKE_VERSION VERSION_LESS 3.25)
        set_target_properties(${gtestTarget} PROPERTIES SYSTEM ON)
      endif()
    endif()
  endforeach()
  # An Arm64 build made on an x64 machine cannot run its unit tests to list
  # them; they are listed when ctest runs, on the machine that runs them.
  if(CMAKE_CXX_COMPILER_ARCHITECTURE_ID MATCHES "^ARM64")
    set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
  endif()
  return()
endif()

set(ICOTRACE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest sources for the Windows-side end-to-end programs")
if(NOT EXISTS ${ICOTRACE_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources at ${ICOTRACE_GOOGLETEST_SOURCE}: "
                      "run scripts/setup.sh, or set ICOTRACE_GOOGLETEST_SOURCE")
endif()
# Windows threads only: MinGW's pthreads would add a runtime DLL.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ICOTRACE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
