# The zip that `cpack --preset mingw` made unpacks into one folder holding the two programs (the
# build's own), the sample, the read-me, the licence and the third-party notices, and no more.
#   cmake -DBUILD=... -DVERSION=... -P zip_contents.cmake
cmake_minimum_required(VERSION 3.25)
set(folder hoshiwa2-${VERSION}-win64)
set(unpacked ${BUILD}/zip-contents)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${BUILD}/${folder}.zip
                WORKING_DIRECTORY ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${unpacked} ${unpacked}/*)
list(SORT files)
set(expected LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt hoshiwa2-export.exe hoshiwa2.exe
    sample/YGS_PRG.BIN)
list(TRANSFORM expected PREPEND ${folder}/)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the zip holds\n  ${files}\ninstead of\n  ${expected}")
endif()
foreach(program viewer/hoshiwa2.exe tools/hoshiwa2-export.exe)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILD}/${program}
                          ${unpacked}/${folder}/${name} RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} in the zip is not the build's")
  endif()
endforeach()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "zip_contents: ${folder}.zip holds the expected files")
