# The third-party libraries of the Windows build, built once with MinGW-w64 into the cache and
# reused by every later configure: GoogleTest (Debian's /usr/src/googletest) and a static
# wxWidgets MSW with expat (Debian's source packages, which scripts/install-dependencies
# fetches). Each prefix's name carries a stamp of what it was built from and how, so that a
# changed configuration builds a new prefix instead of reusing a stale one.

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
cmake_host_system_information(RESULT hoshiwa2_jobs QUERY NUMBER_OF_LOGICAL_CORES)

# Runs a step of a third-party build with its output in LOG; a failure stops the configure with
# the log's end.
function(hoshiwa2_third_party_step what log)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_FILE ${log} ERROR_FILE ${log})
  if(NOT status EQUAL 0)
    file(STRINGS ${log} lines)
    list(LENGTH lines count)
    math(EXPR first "${count} > 30 ? ${count} - 30 : 0")
    list(SUBLIST lines ${first} -1 tail)
    list(JOIN tail "\n" tail)
    message(FATAL_ERROR "${what} failed (${log}):\n${tail}")
  endif()
endfunction()

# GoogleTest for MinGW, from the sources of the installed googletest package.
execute_process(COMMAND dpkg-query -W -f=\${Version} googletest OUTPUT_VARIABLE gtest_version)
set(gtest_prefix ${HOSHIWA2_CACHE_DIR}/gtest-mingw-${gtest_version})
if(BUILD_TESTING AND NOT EXISTS ${gtest_prefix}/lib/cmake/GTest/GTestConfig.cmake)
  message(STATUS "Building GoogleTest ${gtest_version} for MinGW into ${gtest_prefix}")
  set(build ${gtest_prefix}.build)
  file(REMOVE_RECURSE ${build})
  file(MAKE_DIRECTORY ${build})
  hoshiwa2_third_party_step("Configuring GoogleTest" ${build}/log
    ${CMAKE_COMMAND} -S /usr/src/googletest -B ${build} -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${gtest_prefix} -DBUILD_GMOCK=OFF
    -DINSTALL_GTEST=ON)
  hoshiwa2_third_party_step("Building GoogleTest" ${build}/log ${CMAKE_COMMAND} --build ${build})
  hoshiwa2_third_party_step("Installing GoogleTest" ${build}/log
    ${CMAKE_COMMAND} --install ${build})
  file(REMOVE_RECURSE ${build})
endif()
set(GTest_DIR ${gtest_prefix}/lib/cmake/GTest CACHE PATH "GoogleTest for MinGW" FORCE)


# wxWidgets MSW with only what the viewer uses: the core controls, XRC, XML (expat) and the
# base library's zip streams and zlib. Accessibility is on, so that wx answers WM_GETOBJECT
# itself with the names the viewer gives its controls.
set(wx_version 3.2.2)
set(wx_source ${HOSHIWA2_CACHE_DIR}/src/wxwidgets3.2-${wx_version}+dfsg)
file(GLOB expat_lists ${HOSHIWA2_CACHE_DIR}/src/expat-*/expat/CMakeLists.txt
     ${HOSHIWA2_CACHE_DIR}/src/expat-*/CMakeLists.txt)
set(expat_found)
if(expat_lists)
  list(GET expat_lists 0 expat_found)
  get_filename_component(expat_found ${expat_found} DIRECTORY)
endif()
if(HOSHIWA2_BUILD_VIEWER AND (NOT EXISTS ${wx_source}/configure OR NOT expat_found))
  message(FATAL_ERROR "The Windows build needs Debian's wxWidgets and expat sources in "
                      "${HOSHIWA2_CACHE_DIR}/src: run scripts/install-dependencies as root.")
endif()
# The licences of what hoshiwa2.exe links statically, for its packages.
set(HOSHIWA2_WX_VERSION ${wx_version})
set(HOSHIWA2_WX_LICENCE ${wx_source}/docs/licence.txt)
set(HOSHIWA2_EXPAT_LICENCE ${expat_found}/COPYING)
# A wxWidgets MSW build of one's own instead of the cached one, for example to try another
# configuration: its wx-config.
set(HOSHIWA2_OWN_WXMSW_CONFIG "" CACHE FILEPATH "wx-config of a static wxMSW build to use instead")
if(NOT HOSHIWA2_BUILD_VIEWER OR HOSHIWA2_OWN_WXMSW_CONFIG)
  set(HOSHIWA2_WXMSW_CONFIG ${HOSHIWA2_OWN_WXMSW_CONFIG})
  return()
endif()

set(wx_options
  --disable-shared --with-msw --enable-accessibility --enable-xrc --enable-zipstream
  --with-expat=sys --with-zlib=sys --without-libpng --without-libjpeg --without-libtiff
  --without-liblzma --without-opengl --disable-html --disable-htmlhelp --disable-webview
  --disable-mediactrl --disable-stc --disable-ribbon --disable-propgrid --disable-aui
  --disable-richtext --disable-webrequest --disable-svg --disable-sockets --disable-ipc
  --disable-debugreport --disable-grid --disable-dataviewctrl --disable-calendar
  --disable-datepick --disable-timepick --disable-treelist --disable-mdi --disable-docview
  --disable-printarch --disable-postscript --disable-sound --disable-joystick
  --disable-animatectrl --disable-richtooltip)
string(SHA1 stamp "${wx_source};${expat_found};${wx_options};${CMAKE_CXX_COMPILER}")
string(SUBSTRING ${stamp} 0 10 stamp)
set(wx_prefix ${HOSHIWA2_CACHE_DIR}/wxmsw-${wx_version}-${stamp})

if(NOT EXISTS ${wx_prefix}/.complete)
  message(STATUS "Building expat and wxWidgets ${wx_version} MSW for MinGW into ${wx_prefix}, "
                 "once (10 to 30 minutes)")
  file(REMOVE_RECURSE ${wx_prefix} ${wx_prefix}.build)
  set(build ${wx_prefix}.build)
  file(MAKE_DIRECTORY ${build}/expat ${build}/wx)
  # expat first, into the same prefix, so that the wx-config installed there finds it too.
  hoshiwa2_third_party_step("Configuring expat" ${build}/expat.log
    ${CMAKE_COMMAND} -S ${expat_found} -B ${build}/expat -G Ninja -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake
    -DCMAKE_INSTALL_PREFIX=${wx_prefix} -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF
    -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF
    -DEXPAT_BUILD_PKGCONFIG=OFF)
  # Debian's patches test "#if XML_DTD == 1"; the generated header defines the two macros bare.
  file(READ ${build}/expat/expat_config.h config)
  string(REGEX REPLACE "\n#define (XML_DTD|XML_NS)\n" "\n#define \\1 1\n" config "${config}")
  string(REGEX REPLACE "\n#define (XML_DTD|XML_NS)\n" "\n#define \\1 1\n" config "${config}")
  file(WRITE ${build}/expat/expat_config.h "${config}")
  hoshiwa2_third_party_step("Building expat" ${build}/expat.log
    ${CMAKE_COMMAND} --build ${build}/expat --target install)

  hoshiwa2_third_party_step("Configuring wxWidgets" ${build}/wx-configure.log
    ${CMAKE_COMMAND} -E chdir ${build}/wx ${wx_source}/configure
    --host=${HOSHIWA2_MINGW_TRIPLET} --build=x86_64-pc-linux-gnu
    CC=${CMAKE_C_COMPILER} CXX=${CMAKE_CXX_COMPILER}
    "CPPFLAGS=-I${wx_prefix}/include -DXML_STATIC" LDFLAGS=-L${wx_prefix}/lib
    --prefix=${wx_prefix} ${wx_options})
  hoshiwa2_third_party_step("Building wxWidgets" ${build}/wx-make.log
    nice make -C ${build}/wx -j${hoshiwa2_jobs})
  hoshiwa2_third_party_step("Installing wxWidgets" ${build}/wx-install.log
    make -C ${build}/wx install)
  file(REMOVE_RECURSE ${build})
  file(WRITE ${wx_prefix}/.complete "${wx_options}\n")
endif()
set(HOSHIWA2_WXMSW_CONFIG ${wx_prefix}/bin/wx-config CACHE FILEPATH
    "wx-config of the static wxWidgets MSW build for MinGW-w64" FORCE)
