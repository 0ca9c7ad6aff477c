# Release builds on Linux take Debian's build flags with every hardening
# feature (dpkg-buildflags: fortified functions, stack protector, read-only
# relocations bound at start, position-independent executables), as a
# Debian package build would. Other build types keep their own flags.
if(WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)

# The value of one flag variable, from the source directory (the file
# prefix maps are relative to it).
function(debian_build_flags variable out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${variable}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${flags}" PARENT_SCOPE)
endfunction()

debian_build_flags(CPPFLAGS cppflags)
debian_build_flags(CFLAGS cflags)
debian_build_flags(CXXFLAGS cxxflags)
debian_build_flags(LDFLAGS ldflags)
string(APPEND CMAKE_C_FLAGS " ${cppflags} ${cflags}")
string(APPEND CMAKE_CXX_FLAGS " ${cppflags} ${cxxflags}")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${ldflags}")
endforeach()
# Executables link as PIE too (position-independent code is on for all).
include(CheckPIESupported)
check_pie_supported()
