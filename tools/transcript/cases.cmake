# Declares the transcript cases when CTest starts, from the runner's own list of the case tree:
# one definition of what a case is, the engine's. Included from the build's
# tests/transcript_cases.cmake, which sets runner, runner_options, case_roots, environment,
# program_<target> for every program and driver, failalloc (when the allocation sweep runs)
# and dev_full (when the system has /dev/full).
#
# Every case is a test <program>/<case> with the labels transcript and <program>. Then, per
# program, the failure sweeps: <program>/stdout-full runs its cases with standard output on
# /dev/full, <program>/alloc-sweep with each allocation failing in turn. phrases is run by a
# driver that execs it: the preload library stays with the driver, so it has no allocation
# sweep, and its output sweep can see only its status. A program with no case of its own
# (peekmod, utiles' salir) is swept through its driver.

# CTest reads this with the old policies; this file needs those of the project's CMake.
cmake_policy(PUSH)
cmake_policy(VERSION 3.21)

if(NOT EXISTS "${runner}")
  add_test(transcript/runner-not-built "${CMAKE_COMMAND}" -E echo
    "the transcript runner is not built: make test builds it before it runs the tests")
  set_tests_properties(transcript/runner-not-built PROPERTIES WILL_FAIL ON LABELS transcript)
  cmake_policy(POP)
  return()
endif()
execute_process(COMMAND "${runner}" --list ${case_roots}
  OUTPUT_VARIABLE listing RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  add_test(transcript/cases-cannot-be-listed "${CMAKE_COMMAND}" -E echo
    "the transcript runner could not list ${case_roots}")
  set_tests_properties(transcript/cases-cannot-be-listed PROPERTIES WILL_FAIL ON LABELS transcript)
  cmake_policy(POP)
  return()
endif()

set(groups "")
string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
foreach(line IN LISTS listing)
  if(line STREQUAL "")
    continue()
  endif()
  # program, case, folder, driver, error
  if(NOT line MATCHES "^([^\t]*)\t([^\t]*)\t([^\t]*)\t([^\t]*)\t(.*)$")
    continue()
  endif()
  set(group "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  set(folder "${CMAKE_MATCH_3}")
  set(driver "${CMAKE_MATCH_4}")
  set(error "${CMAKE_MATCH_5}")
  set(test "${group}/${name}")
  if(group STREQUAL "")
    set(test "casos/${name}")
  endif()
  set(program "${group}")
  if(NOT driver STREQUAL "")
    set(program "${driver}")
  endif()
  if(error STREQUAL "" AND NOT DEFINED program_${program})
    set(error "names no program of the course: ${program}")
  endif()
  if(NOT error STREQUAL "")
    add_test("${test}" "${CMAKE_COMMAND}" -E echo "${folder} ${error}")
    set_tests_properties("${test}" PROPERTIES WILL_FAIL ON LABELS "transcript;${group}")
    continue()
  endif()
  add_test("${test}" "${runner}" ${runner_options} "${program_${program}}" "${folder}")
  # 77: the case needs what this system lacks (/dev/full, the failcall preload, a type size).
  set_tests_properties("${test}" PROPERTIES LABELS "transcript;${group}"
    ENVIRONMENT "${environment}" SKIP_RETURN_CODE 77)
  # Each program's cases that it runs itself, and those a driver runs, for the sweeps.
  if(driver STREQUAL "")
    list(APPEND cases_of_${group} "${folder}")
  else()
    list(APPEND driver_cases_of_${group} "${folder}")
    set(driver_of_${group} "${driver}")
  endif()
  list(APPEND groups "${group}")
endforeach()
list(REMOVE_DUPLICATES groups)

set(exec_drivers phrases)
foreach(group IN LISTS groups)
  if(cases_of_${group})
    set(sweep_program "${program_${group}}")
    set(sweep_cases ${cases_of_${group}})
  else()
    set(sweep_program "${program_${driver_of_${group}}}")
    set(sweep_cases ${driver_cases_of_${group}})
  endif()
  if(dev_full AND group IN_LIST exec_drivers)
    add_test("${group}/stdout-full" "${runner}" ${runner_options} --stdout-full-through-driver
      "${sweep_program}" ${sweep_cases})
  elseif(dev_full AND cases_of_${group})
    add_test("${group}/stdout-full" "${runner}" ${runner_options} --stdout-full
      "${sweep_program}" ${sweep_cases})
  endif()
  if(dev_full AND (cases_of_${group} OR group IN_LIST exec_drivers))
    set_tests_properties("${group}/stdout-full" PROPERTIES LABELS "output-sweep;${group}"
      ENVIRONMENT "${environment}")
  endif()
  if(DEFINED failalloc AND NOT group IN_LIST exec_drivers)
    add_test("${group}/alloc-sweep" "${runner}" ${runner_options} --alloc-sweep "${failalloc}"
      "${sweep_program}" ${sweep_cases})
    set_tests_properties("${group}/alloc-sweep" PROPERTIES LABELS "alloc-sweep;${group}"
      ENVIRONMENT "${environment}")
  endif()
endforeach()
cmake_policy(POP)
