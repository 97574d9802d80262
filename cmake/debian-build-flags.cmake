# The Release package build compiles and links with the flags Debian builds its own packages
# with (dpkg-buildflags), every hardening option included.
option(HOSHIWA2_DEBIAN_BUILD_FLAGS "Build with dpkg-buildflags' flags, hardening=+all" OFF)
if(HOSHIWA2_DEBIAN_BUILD_FLAGS)
  set(ENV{DEB_BUILD_MAINT_OPTIONS} hardening=+all)
  foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
    execute_process(COMMAND dpkg-buildflags --get ${kind} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  string(APPEND CMAKE_CXX_FLAGS " ${debian_CXXFLAGS} ${debian_CPPFLAGS}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
endif()
