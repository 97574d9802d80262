# One run of hoshiwa2_export_parity() (tests/windows/CMakeLists.txt): the Linux exporter and
# hoshiwa2-export.exe under wine, each in its own copy of the folder, then every output compared.
#   cmake -DLINUX_EXPORT=... -DWINDOWS_EXPORT=... -DWINE=... -DDATA=... -DRUN=...
#         -DARGUMENTS=a|b|... -P export_parity.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
set(output "出力 ファイル.txt")
foreach(side linux windows)
  file(REMOVE_RECURSE ${RUN}/${side})
  file(MAKE_DIRECTORY ${RUN}/${side})
  file(COPY_FILE ${DATA} ${RUN}/${side}/YGS_PRG.BIN)
endforeach()

# Z: is the whole Unix file system in a wine prefix.
function(windows_path path result)
  string(REPLACE "/" "\\" path "${path}")
  set(${result} "Z:${path}" PARENT_SCOPE)
endfunction()

# Arguments go through EVAL as bracket arguments, so that an empty one stays an argument.
set(linux_command "[==[${LINUX_EXPORT}]==]")
set(windows_command "[==[${WINE}]==] [==[${WINDOWS_EXPORT}]==]")
foreach(argument IN LISTS arguments)
  set(linux_argument "${argument}")
  set(windows_argument "${argument}")
  if(argument STREQUAL "@DATA")
    set(linux_argument ${RUN}/linux/YGS_PRG.BIN)
    windows_path(${RUN}/windows/YGS_PRG.BIN windows_argument)
  elseif(argument STREQUAL "@OUT")
    set(linux_argument "${RUN}/linux/${output}")
    windows_path("${RUN}/windows/${output}" windows_argument)
  endif()
  string(APPEND linux_command " [==[${linux_argument}]==]")
  string(APPEND windows_command " [==[${windows_argument}]==]")
endforeach()
# Dictionaries are dated: both sides take the same day (wine passes the variable on).
set(ENV{SOURCE_DATE_EPOCH} 1709251199)
foreach(side linux windows)
  cmake_language(EVAL CODE "
    execute_process(COMMAND ${${side}_command} WORKING_DIRECTORY [==[${RUN}/${side}]==]
                    INPUT_FILE /dev/null OUTPUT_FILE [==[${RUN}/${side}.stdout]==]
                    ERROR_FILE [==[${RUN}/${side}.stderr]==] RESULT_VARIABLE ${side}_status)")
endforeach()

set(problems)
if(NOT linux_status STREQUAL windows_status)
  list(APPEND problems "exit status ${linux_status} (Linux) vs ${windows_status} (Windows)")
endif()
# Every file either side wrote (a StarDict export is four), and both streams.
file(GLOB written RELATIVE ${RUN}/linux ${RUN}/linux/*)
file(GLOB written_windows RELATIVE ${RUN}/windows ${RUN}/windows/*)
set(parts .stdout .stderr)
foreach(name IN LISTS written written_windows)
  list(APPEND parts "/${name}")
endforeach()
list(REMOVE_DUPLICATES parts)
foreach(part IN LISTS parts)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${RUN}/linux${part}"
                          "${RUN}/windows${part}" RESULT_VARIABLE different OUTPUT_QUIET ERROR_QUIET)
  if(different)
    list(APPEND problems "${part} differs")
  endif()
endforeach()
string(REPLACE ";" " " shown "${arguments}")
if(problems)
  message(FATAL_ERROR "DIFFERENT (${shown}): ${problems}")
endif()
file(SIZE ${RUN}/linux.stdout size)
message(STATUS "same (${shown}): status ${linux_status}, ${size} bytes on standard output")
