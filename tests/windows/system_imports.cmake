# hoshiwa2.exe and hoshiwa2-export.exe are single files: they import only Windows' own DLLs.
#   cmake -DOBJDUMP=... -DPROGRAMS=a.exe|b.exe -P system_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system "^(kernel32|user32|gdi32|comdlg32|comctl32|advapi32|shell32|shlwapi|ole32|oleaut32|"
    "uxtheme|version|winmm|rpcrt4|wsock32|ws2_32|oleacc|imm32|msvcrt|msimg32|gdiplus|usp10|"
    "dwmapi|crypt32|bcrypt|winhttp|ntdll|winspool|api-ms-win-[a-z0-9-]+)\\.(dll|drv)$")
string(JOIN "" system ${system})
string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  list(TRANSFORM imports REPLACE "DLL Name: " "")
  list(TRANSFORM imports TOLOWER)
  set(others ${imports})
  list(FILTER others EXCLUDE REGEX "${system}")
  if(others)
    message(FATAL_ERROR "${program} imports DLLs that are not part of Windows: ${others}")
  endif()
  file(SIZE ${program} size)
  message(STATUS "${program}: ${size} bytes; imports ${imports}")
endforeach()
