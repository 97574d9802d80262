# Installs the build into a folder of its own (`cmake --install --prefix`) and checks what a
# user's system gets: exactly the expected files, each accepted by its own freedesktop linter
# (desktop-file-validate, appstreamcli, update-mime-database, groff and lexgrog for the man
# pages), every icon size drawn, the newest release being the project's version, and the
# installed programs answering --version, --help and a bad option without a display.
#   cmake -DBUILD=... -DVERSION=... -P installed_tree.cmake
cmake_minimum_required(VERSION 3.25)
set(id io.github.hoshiwa2.Viewer)
set(root ${BUILD}/installed-tree)
set(failures)
# Notes `message` as a failure unless `condition` (if() syntax, in a string) holds.
macro(check condition message)
  cmake_language(EVAL CODE "if(NOT (${condition}))
                              list(APPEND failures [==[${message}]==])
                            endif()")
endmacro()
# Runs ARGN with no display; sets `status`, `out` and `err`.
macro(run)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()

file(REMOVE_RECURSE ${root})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${root})
check("status EQUAL 0" "cmake --install failed: ${err}")

# Nothing more and nothing less: no test, benchmark, fuzzer or helper tool.
set(sizes 16 22 24 32 48 64 128 256 512)
set(expected bin/hoshiwa2 bin/hoshiwa2-export share/applications/${id}.desktop
    share/metainfo/${id}.metainfo.xml share/mime/packages/${id}.xml
    share/icons/hicolor/scalable/apps/${id}.svg share/man/man1/hoshiwa2.1.gz
    share/man/man1/hoshiwa2-export.1.gz share/hoshiwa2/sample/YGS_PRG.BIN
    share/doc/hoshiwa2/copyright share/doc/hoshiwa2/changelog.gz)
foreach(size IN LISTS sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
list(SORT expected)
list(SORT installed)
check("installed STREQUAL expected" "installed ${installed}\ninstead of ${expected}")

set(desktop ${root}/share/applications/${id}.desktop)
run(desktop-file-validate ${desktop})
check("status EQUAL 0 AND out STREQUAL \"\"" "desktop entry: ${out}${err}")
file(STRINGS ${desktop} lines)
check("\"Exec=hoshiwa2 %f\" IN_LIST lines AND \"Icon=${id}\" IN_LIST lines" "Exec or Icon line")
set(metainfo ${root}/share/metainfo/${id}.metainfo.xml)
run(appstreamcli validate --no-net --pedantic ${metainfo})
check("status EQUAL 0" "metainfo: ${out}${err}")
# The newest release is listed first, and it is the changelog's newest entry too.
file(READ ${metainfo} text)
string(REGEX MATCH "<release version=\"([^\"]*)\"" release "${text}")
check("CMAKE_MATCH_1 STREQUAL VERSION" "the metainfo's newest release is ${CMAKE_MATCH_1}")
run(gzip -dc ${root}/share/doc/hoshiwa2/changelog.gz)
string(REGEX MATCH "^hoshiwa2 \\(([^)]*)\\)" entry "${out}")
check("CMAKE_MATCH_1 STREQUAL VERSION" "the changelog's newest entry is ${CMAKE_MATCH_1}")

# The type's glob, compiled by the same tool the package triggers: any letter case, so no "cs"
# flag, and the database keeps the glob in lower case.
run(${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${root}/share update-mime-database ${root}/share/mime)
file(STRINGS ${root}/share/mime/globs2 globs REGEX hoshiwa2)
check("globs STREQUAL \"80:application/x-hoshiwa2-glossary:ygs_prg.bin\"" "globs2: ${globs}")

foreach(page hoshiwa2 hoshiwa2-export)
  set(gz ${root}/share/man/man1/${page}.1.gz)
  execute_process(COMMAND gzip -dc ${gz} COMMAND groff -ww -z -man -Tutf8
                  RESULT_VARIABLE status ERROR_VARIABLE warnings)
  check("status EQUAL 0 AND warnings STREQUAL \"\"" "groff on ${page}.1: ${warnings}")
  run(lexgrog ${gz})
  check("status EQUAL 0" "lexgrog cannot read the NAME section of ${page}.1")
endforeach()

foreach(size IN LISTS sizes)
  run(file ${root}/share/icons/hicolor/${size}x${size}/apps/${id}.png)
  check("out MATCHES \"PNG image data, ${size} x ${size},\"" "the ${size}px icon: ${out}")
endforeach()

# The programs as installed, with no display at all.
foreach(program hoshiwa2 hoshiwa2-export)
  run(${root}/bin/${program} --version)
  check("status EQUAL 0 AND out STREQUAL \"${program} ${VERSION}\n\"" "${program} --version")
  run(${root}/bin/${program} --help)
  check("status EQUAL 0 AND out MATCHES \"^usage: ${program}\"" "${program} --help")
  run(${root}/bin/${program} --no-such-option)
  check("status EQUAL 2 AND err MATCHES \"^usage: ${program}\"" "${program} --no-such-option")
endforeach()

file(REMOVE_RECURSE ${root})
if(failures)
  list(JOIN failures "\n" failures)
  message(FATAL_ERROR "installed_tree:\n${failures}")
endif()
list(LENGTH expected count)
message(STATUS "installed_tree: ${count} files installed and valid")
