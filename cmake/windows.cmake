# Settings of the Windows builds (build-win32/, build-win64/), included by
# the top-level CMakeLists.txt when the toolchain targets Windows.

# The configuration block is written by cpbtool, a host program: the Linux
# build's, passed in by `make windows`.
set(KOV_HOST_CPBTOOL "" CACHE FILEPATH "cpbtool of a Linux build (writes the configuration block)")
if(NOT EXISTS "${KOV_HOST_CPBTOOL}")
  message(FATAL_ERROR "KOV_HOST_CPBTOOL must name a built cpbtool of a Linux build "
                      "(make windows builds one and passes it)")
endif()
add_executable(cpbtool IMPORTED GLOBAL)
set_target_properties(cpbtool PROPERTIES IMPORTED_LOCATION ${KOV_HOST_CPBTOOL})

# The product carries no debug information: strip what the linker writes.
add_link_options(-s)

# On 32-bit Windows KR_Loader is stdcall, which the compiler decorates
# (_KR_Loader@8); DLLs export such functions under their plain names, as
# GetProcAddress looks them up.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " -Wl,--kill-at")
endif()

# Test suites of the Windows build (tests/windows/*), linked with
# GTest::gtest or GTest::gtest_main built from the Debian sources, run by
# CTest under wine64 through cmake/wine-run.sh.
option(KOV_WINDOWS_TESTS "Build tests/windows/ with GoogleTest from /usr/src/googletest" OFF)
if(KOV_WINDOWS_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
  endif()
endif()
