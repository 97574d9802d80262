# Read by cpack once for each generator of the Windows build.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "hoshiwa2-setup-${CPACK_PACKAGE_VERSION}")
endif()
