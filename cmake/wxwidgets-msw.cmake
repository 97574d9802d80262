# The viewer's wxWidgets when cross-compiling for Windows: the static MSW build that
# scripts/build-windows-third-party keeps in the cache, found through its own wx-config. The host's
# wx-config describes the GTK port and must not be picked up instead. The templates are still
# compiled by the host's wxrc, which find_program finds on the host.

# The version record and icon 128 of hoshiwa2.exe come from a resource script.
if(WIN32)
  enable_language(RC)
endif()

if(NOT (CMAKE_CROSSCOMPILING AND WIN32))
  return()
endif()

# The exporter writes its Yomitan zip with wx's base library, so even a build without the viewer
# needs one (a base-only build is enough there).
if(NOT HOSHIWA2_WXMSW_CONFIG OR NOT EXISTS "${HOSHIWA2_WXMSW_CONFIG}")
  message(FATAL_ERROR "The Windows exporter needs a static wxWidgets for MSW, its base library at "
                      "least: run scripts/build-windows-third-party, or set "
                      "HOSHIWA2_OWN_WXMSW_CONFIG to the wx-config of one.")
endif()

execute_process(COMMAND sh "${HOSHIWA2_WXMSW_CONFIG}" --selected-config
                OUTPUT_VARIABLE hoshiwa2_wxmsw_selected OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE hoshiwa2_wxmsw_status)
# A base-only build ("base-unicode-static") is enough for the exporter without the viewer.
if(HOSHIWA2_BUILD_VIEWER)
  set(hoshiwa2_wxmsw_wanted "msw.*static")
else()
  set(hoshiwa2_wxmsw_wanted "(msw|base).*static")
endif()
if(NOT hoshiwa2_wxmsw_status EQUAL 0
   OR NOT hoshiwa2_wxmsw_selected MATCHES "${hoshiwa2_wxmsw_wanted}")
  message(FATAL_ERROR "${HOSHIWA2_WXMSW_CONFIG} does not describe a static wxWidgets MSW build "
                      "(it selects '${hoshiwa2_wxmsw_selected}').")
endif()

set(wxWidgets_CONFIG_EXECUTABLE "${HOSHIWA2_WXMSW_CONFIG}" CACHE FILEPATH
    "wx-config of the wxWidgets build the viewer uses" FORCE)

# FindwxWidgets checks each library wx-config names with find_library, which in a cross build
# looks only below the find roots; the MSW build's prefix (which holds expat too) becomes one.
execute_process(COMMAND sh "${HOSHIWA2_WXMSW_CONFIG}" --prefix
                OUTPUT_VARIABLE hoshiwa2_wxmsw_prefix OUTPUT_STRIP_TRAILING_WHITESPACE)
list(APPEND CMAKE_FIND_ROOT_PATH "${hoshiwa2_wxmsw_prefix}")
message(STATUS "wxWidgets for Windows: ${hoshiwa2_wxmsw_selected} in ${hoshiwa2_wxmsw_prefix}")
