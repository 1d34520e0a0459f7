# What a new user meets on the command line, run from a copy of games/:
# bad -warp and -regs values are command-line errors (never a crash), a
# missing descriptor is one line naming the ones there are, folders that
# are not games are not packed, and the sample runs without complaints
# (but the one that the tests have no audio device).
function(run_tolv)
  execute_process(COMMAND ${TOLV} ${ARGN} WORKING_DIRECTORY ${games} RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  set(rc ${rc} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# A base folder of its own: the engine folder, the sample and its
# descriptor, nothing else a user may keep in games/.
set(games ${WORK}/first_run)
file(REMOVE_RECURSE ${games})
file(COPY ${GAMES}/default ${GAMES}/sample DESTINATION ${games})
file(COPY ${GAMES}/gdf/default.gdf DESTINATION ${games}/gdf)
file(REMOVE ${games}/sample/game.tvp)

foreach(bad "-warp;1;0;-1;0;1" "-warp;1;0;0;256;1" "-warp;1;-1;0;0;1" "-warp;1;0;0;0;6" "-warp;1;0;0;0"
            "-regs;1;U16777216;5" "-regs;1;-3;5" "-regs;1;5")
  run_tolv(${bad})
  if(NOT rc EQUAL 1 OR NOT err STREQUAL "Command-line has uninterpretable errors\n")
    message(FATAL_ERROR "tolv ${bad}: exit ${rc}, said ${err}")
  endif()
endforeach()
run_tolv(-warp 1 1 0 0 1 -regs 1 U0 7)
if(NOT rc EQUAL 0 OR NOT out MATCHES "level started: zone 1 act 1 of 2")
  message(FATAL_ERROR "tolv -warp 1 1 0 0 1: exit ${rc}, said ${out}${err}")
endif()

run_tolv(-game nosuch.gdf)
if(NOT rc EQUAL 1 OR NOT err STREQUAL "tolv: no game descriptor \"nosuch.gdf\" in gdf; descriptors there: default.gdf\n")
  message(FATAL_ERROR "tolv -game nosuch.gdf: exit ${rc}, said ${err}")
endif()

foreach(folder default gdf)
  run_tolv(-pack ${folder})
  if(NOT rc EQUAL 1 OR NOT err MATCHES "^Packing refused: ${folder} has no game.def" OR EXISTS ${games}/${folder}/game.tvp)
    message(FATAL_ERROR "tolv -pack ${folder}: exit ${rc}, said ${err}")
  endif()
endforeach()

run_tolv()
string(REPLACE "Couldn't start mixer!\n" "" err "${err}")  # no audio device for the tests
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "the sample game: exit ${rc}, complained ${err}")
endif()
file(REMOVE_RECURSE ${games})
