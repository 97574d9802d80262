# The Windows packages: hoshiwa2-<version>-win64.zip, one folder to unpack anywhere, and the setup
# program hoshiwa2-setup-<version>.exe (NSIS.template.in). Both carry the two programs, the
# sample glossary made by the native build, the MIT licence and the notices of the libraries
# linked into hoshiwa2.exe; the zip also a read-me. Text files get CRLF line ends for Notepad.
install(TARGETS hoshiwa2-export RUNTIME DESTINATION .)
if(NOT TARGET hoshiwa2)
  return()   # an exporter-only build makes no packages
endif()
install(TARGETS hoshiwa2 RUNTIME DESTINATION .)
install(FILES ${HOSHIWA2_SAMPLE_GLOSSARY} DESTINATION sample)

set(text_dir ${CMAKE_CURRENT_BINARY_DIR}/windows)
configure_file(windows-readme.txt ${text_dir}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${text_dir}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
set(notices "hoshiwa2.exe contains the following libraries, linked statically.\n")
foreach(library IN ITEMS "wxWidgets ${HOSHIWA2_WX_VERSION};${HOSHIWA2_WX_LICENCE}"
                         "expat;${HOSHIWA2_EXPAT_LICENCE}")
  list(GET library 0 name)
  list(GET library 1 licence)
  file(READ ${licence} text)
  string(APPEND notices "\n\n${name}\n==========\n\n${text}")
endforeach()
file(CONFIGURE OUTPUT ${text_dir}/THIRD-PARTY-NOTICES.txt CONTENT "${notices}" @ONLY
     NEWLINE_STYLE CRLF)
install(FILES ${text_dir}/README.txt ${text_dir}/LICENSE.txt ${text_dir}/THIRD-PARTY-NOTICES.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
# The programs are stripped when they are linked (the preset's -s); strip would only rewrite the
# files' time stamps, and the packages carry the build's own files.
set(CPACK_STRIP_FILES OFF)
set(CPACK_PACKAGE_FILE_NAME hoshiwa2-${PROJECT_VERSION}-win64)
# The setup takes a name of its own (cpack-per-generator.cmake); its template lists what it
# installs, the read-me left out.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cpack-per-generator.cmake)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/resources/app_icon.ico)
# NSIS.template.in, found here before CPack's own.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR})
include(CPack)
