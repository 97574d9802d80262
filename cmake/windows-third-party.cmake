# The third-party libraries of the Windows build: GoogleTest and a static wxWidgets MSW with
# expat, which scripts/build-windows-third-party builds with MinGW-w64 into the cache and records
# in windows-third-party.cmake there.

set(HOSHIWA2_CACHE_DIR "" CACHE PATH "Where the third-party Windows builds are kept")
if(NOT HOSHIWA2_CACHE_DIR)
  if(DEFINED ENV{HOSHIWA2_CACHE})
    set(HOSHIWA2_CACHE_DIR "$ENV{HOSHIWA2_CACHE}")
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(HOSHIWA2_CACHE_DIR "$ENV{XDG_CACHE_HOME}/hoshiwa2")
  else()
    set(HOSHIWA2_CACHE_DIR "$ENV{HOME}/.cache/hoshiwa2")
  endif()
endif()
include(${HOSHIWA2_CACHE_DIR}/windows-third-party.cmake OPTIONAL RESULT_VARIABLE recorded)
if(NOT recorded)
  message(FATAL_ERROR "The Windows build's GoogleTest and wxWidgets are not in "
                      "${HOSHIWA2_CACHE_DIR}: run scripts/build-windows-third-party first.")
endif()

# A wxWidgets MSW build of one's own instead of the cached one, for example to try another
# configuration: its wx-config.
set(HOSHIWA2_OWN_WXMSW_CONFIG "" CACHE FILEPATH "wx-config of a static wxMSW build to use instead")
if(HOSHIWA2_OWN_WXMSW_CONFIG)
  set(HOSHIWA2_WXMSW_CONFIG ${HOSHIWA2_OWN_WXMSW_CONFIG})
else()
  set(HOSHIWA2_WXMSW_CONFIG ${HOSHIWA2_CACHED_WXMSW_CONFIG})
endif()
