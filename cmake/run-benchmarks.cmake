# Builds the benchmarks (the bench preset: Release, build-bench/) and runs them: the engine's and
# the viewer's figures, each beside its floor in the same process, then the whole-process
# start-up of the viewer against the toolkit's floor, an empty dialog of the same size
# (hyperfine, alternating runs after a warm-up, and the median peak resident memory of seven runs
# from /usr/bin/time). Ends with the table of docs/PERFORMANCE.md: figure, floor and their
# ratio, from the medians of five repetitions. Everything is pinned to one CPU, so that a figure
# and its floor share a core; without a display it runs inside Xvfb.
#
#   cmake [-DCPU=N] [-DRUNS=N] [-DNO_BUILD=ON] -P cmake/run-benchmarks.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED CPU)
  set(CPU 0)
endif()
if(NOT DEFINED RUNS)
  set(RUNS 40)
endif()
get_filename_component(source ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(results ${source}/build-bench/bench)
set(pin taskset -c ${CPU})

if(NOT DEFINED ENV{DISPLAY})
  if(NOT NO_BUILD)
    execute_process(COMMAND ${CMAKE_COMMAND} --preset bench WORKING_DIRECTORY ${source}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_COMMAND} --build --preset bench --target hoshiwa2_bench
                            hoshiwa2_viewer_bench hoshiwa2_startup_viewer hoshiwa2_startup_minimal
                    WORKING_DIRECTORY ${source} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" ${CMAKE_COMMAND} -DCPU=${CPU}
                          -DRUNS=${RUNS} -P ${CMAKE_CURRENT_LIST_FILE}
                  COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()

# `value` (a decimal, perhaps in exponent form) times 10^digits, as a whole number.
function(fixed value digits out)
  string(REGEX MATCH "^([0-9]*)\\.?([0-9]*)[eE]?([-+]?[0-9]*)$" matched "${value}")
  set(whole "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
  string(LENGTH "${CMAKE_MATCH_2}" fraction)
  set(exponent 0${CMAKE_MATCH_3})
  math(EXPR shift "${digits} + ${exponent} - ${fraction}")
  if(shift GREATER_EQUAL 0)
    string(REPEAT 0 ${shift} zeros)
    string(APPEND whole "${zeros}")
  else()
    string(LENGTH "${whole}" length)
    math(EXPR keep "${length} + ${shift}")
    if(keep LESS_EQUAL 0)
      set(whole 0)
    else()
      string(SUBSTRING "${whole}" 0 ${keep} whole)
    endif()
  endif()
  string(REGEX REPLACE "^0+(.)" "\\1" whole "${whole}")
  set(${out} ${whole} PARENT_SCOPE)
endfunction()

# `text` padded with spaces to `width` columns, on the left when `width` is negative.
function(pad text width out)
  string(LENGTH "${text}" length)
  math(EXPR missing "(${width} < 0 ? -${width} : ${width}) - ${length}")
  if(missing GREATER 0)
    string(REPEAT " " ${missing} spaces)
    if(width LESS 0)
      set(text "${spaces}${text}")
    else()
      string(APPEND text "${spaces}")
    endif()
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# `a` / `b` (whole numbers) with two decimals, followed by "x".
function(ratio a b out)
  math(EXPR hundredths "(${a} * 100 + ${b} / 2) / ${b}")
  math(EXPR units "${hundredths} / 100")
  math(EXPR cents "${hundredths} % 100")
  pad(${cents} -2 cents)
  string(REPLACE " " 0 cents "${cents}")
  set(${out} "${units}.${cents}x" PARENT_SCOPE)
endfunction()

# The viewer's figures never touch the user's configuration. Start-up is measured with one
# present, as a user leaves it: both search options on, a font, four recent files, the window
# moved and enlarged.
set(ENV{XDG_CONFIG_HOME} ${results}/config)
file(REMOVE_RECURSE ${results}/config)
file(WRITE ${results}/config/hoshiwa2/hoshiwa2.conf "[Search]\nAsYouType=1\nFolded=1\n"
     "[DetailPane]\nFont=Noto Sans CJK JP 12\n[RecentFiles]\n"
     "file1=${source}/build-bench/sample/YGS_PRG.BIN\nfile2=/tmp/one/YGS_PRG.BIN\n"
     "file3=/tmp/two/YGS_PRG.BIN\nfile4=/tmp/three/YGS_PRG.BIN\n"
     "[Persistent_Options/Window/main_dialog]\nx=100\ny=80\nw=800\nh=760\n")

cmake_host_system_information(RESULT cpus QUERY NUMBER_OF_LOGICAL_CORES)
file(READ /proc/loadavg load)
string(REGEX MATCH "^[^ ]+ [^ ]+ [^ ]+" load "${load}")
message("== machine: ${cpus} CPUs, load average ${load}, pinned to CPU ${CPU}")
set(options --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    --benchmark_min_time=0.2 --benchmark_out_format=csv)
foreach(suite engine viewer)
  set(program ${results}/hoshiwa2_bench)
  if(suite STREQUAL "viewer")
    set(program ${results}/hoshiwa2_viewer_bench)
  endif()
  execute_process(COMMAND ${pin} ${program} ${options} --benchmark_out=${results}/${suite}.csv
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Start-up to idle, whole processes: both programs close themselves at their first idle moment.
execute_process(COMMAND ${pin} hyperfine -N --warmup 5 --runs ${RUNS}
                        --export-json ${results}/startup.json
                        --command-name minimal-dialog ${results}/hoshiwa2_startup_minimal
                        --command-name viewer ${results}/hoshiwa2_startup_viewer
                COMMAND_ERROR_IS_FATAL ANY)
file(READ ${results}/startup.json json)
set(startup_programs hoshiwa2_startup_minimal hoshiwa2_startup_viewer)
foreach(index 0 1)
  string(JSON median GET "${json}" results ${index} median)
  fixed(${median} 4 startup_${index})   # in tenths of a millisecond
  set(sizes)
  list(GET startup_programs ${index} program)
  foreach(run RANGE 6)
    execute_process(COMMAND ${pin} /usr/bin/time -f %M ${results}/${program}
                    OUTPUT_QUIET ERROR_VARIABLE rss)
    string(REGEX MATCH "[0-9]+\n?$" rss "${rss}")
    string(STRIP "${rss}" rss)
    list(APPEND sizes ${rss})
  endforeach()
  list(SORT sizes COMPARE NATURAL)
  list(GET sizes 3 rss_${index})   # KiB
endforeach()
ratio(${startup_1} ${startup_0} startup_ratio)
math(EXPR viewer_ms "${startup_1} / 10")
math(EXPR floor_ms "${startup_0} / 10")
math(EXPR extra_kib "${rss_1} - ${rss_0}")
message("\nstart-up to idle (median): viewer ${viewer_ms} ms, floor ${floor_ms} ms, "
        "${startup_ratio} (goal <= 1.20x)")
message("peak RSS (median of 7): viewer ${rss_1} KiB, floor ${rss_0} KiB, "
        "${extra_kib} KiB more (goal <= +5 MB)\n")

# Each figure F is paired with the benchmark named <first word of F>_Floor_<how>, with the same
# argument; the ratio is taken of the medians, in CPU time and in wall time.
set(names)
foreach(suite engine viewer)
  file(STRINGS ${results}/${suite}.csv lines REGEX "_median\"?,")
  foreach(line IN LISTS lines)
    string(REPLACE "\"" "" line "${line}")
    string(REPLACE "," ";" fields "${line}")
    list(GET fields 0 name)
    string(REGEX REPLACE "_median$" "" name "${name}")
    list(GET fields 2 wall)
    list(GET fields 3 cpu)
    fixed(${wall} 0 wall_${name})
    fixed(${cpu} 0 cpu_${name})
    list(APPEND names ${name})
  endforeach()
endforeach()
pad("figure / floor (median)" 34 header)
message("${header}       CPU ns      wall ns    CPU x   wall x")
foreach(name IN LISTS names)
  if(name MATCHES "_Floor_")
    continue()
  endif()
  string(REGEX MATCH "/.*$" argument "${name}")
  string(REGEX MATCH "^[^_/]+" word "${name}")
  set(floor)
  foreach(other IN LISTS names)
    string(REGEX MATCH "/.*$" other_argument "${other}")
    if(other MATCHES "^${word}_Floor_" AND other_argument STREQUAL argument)
      set(floor ${other})
    endif()
  endforeach()
  pad("${name}" 34 row)
  pad(${cpu_${name}} -12 cpu)
  pad(${wall_${name}} -12 wall)
  if(NOT floor)
    message("${row} ${cpu} ${wall}")
    continue()
  endif()
  ratio(${cpu_${name}} ${cpu_${floor}} cpu_ratio)
  ratio(${wall_${name}} ${wall_${floor}} wall_ratio)
  pad(${cpu_ratio} -8 cpu_ratio)
  pad(${wall_ratio} -8 wall_ratio)
  message("${row} ${cpu} ${wall} ${cpu_ratio} ${wall_ratio}")
  pad("  ${floor}" 34 row)
  pad(${cpu_${floor}} -12 cpu)
  pad(${wall_${floor}} -12 wall)
  message("${row} ${cpu} ${wall}")
endforeach()
