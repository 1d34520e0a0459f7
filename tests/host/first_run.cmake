# What a new user meets on the command line, run from a copy of games/:
# bad -warp and -regs values are command-line errors naming the argument
# and what was expected (never a crash), a
# missing descriptor is one line naming the ones there are, missing data,
# game and zone folders are named, folders that
# are not games are not packed, and the sample runs without complaints
# but the one line that there is no audio device.
function(run_tolv)
  execute_process(COMMAND ${run_tolv_env} ${TOLV} ${ARGN} WORKING_DIRECTORY ${games} RESULT_VARIABLE rc
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

# Each bad command line and the line that names what went wrong.
foreach(case "-warp 1 0 -1 0 1|-warp: expected a character 0-255 for player 1, got \"-1\""
             "-warp 1 0 0 256 1|-warp: expected a character 0-255 for player 2, got \"256\""
             "-warp 1 -1 0 0 1|-warp: expected an act 0-255, got \"-1\""
             "-warp 1 0 0 0 6|-warp: expected a screen mode 0-5, got \"6\""
             "-warp 1 0 0 0|-warp: expected a screen mode 0-5, got nothing"
             "-regs 1 U16777216 5|-regs: expected a register 0-16777471 or U0-U16777215, got \"U16777216\""
             "-regs 1 -3 5|-regs: expected a register 0-16777471 or U0-U16777215, got \"-3\""
             "-regs 1 5|-regs: expected a 32-bit value for register 5, got nothing"
             "-game|-game: expected a game descriptor of gdf/, got nothing"
             "-pack|-pack: expected a game folder name of at most 49 characters, got nothing"
             "-levelfile|-levelfile: expected a path from the game root, got nothing"
             "-wrap 1|expected an option (-game, -warp, -regs, -tilefile, -levelfile, -editor or -pack), got \"-wrap\"")
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} bad)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${case}" ${bar} -1 said)
  separate_arguments(bad UNIX_COMMAND "${bad}")
  run_tolv(${bad})
  if(NOT rc EQUAL 1 OR NOT out STREQUAL "" OR NOT err STREQUAL "Command-line has uninterpretable errors\ntolv: ${said}\n")
    message(FATAL_ERROR "tolv ${bad}: exit ${rc}, said ${out}${err}")
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

# Run from a folder without the engine's data: the folder and what it lacks.
set(kept_games ${games})
set(games ${WORK}/first_run_empty)
file(REMOVE_RECURSE ${games})
file(MAKE_DIRECTORY ${games})
foreach(case "default/, gdf/|default" "gdf/|")
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} missing)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${case}" ${bar} -1 made_next)
  run_tolv()
  if(NOT rc EQUAL 1 OR NOT out MATCHES "^Data files not found in ${games} \\(missing: ${missing}\\)\\.\n")
    message(FATAL_ERROR "tolv without ${missing}: exit ${rc}, said ${out}${err}")
  endif()
  if(made_next)
    file(MAKE_DIRECTORY ${games}/${made_next})
  endif()
endforeach()
file(REMOVE_RECURSE ${games})
set(games ${kept_games})

# A descriptor whose game folder is not there, a zone that is not there.
file(WRITE ${games}/gdf/lost.gdf ":Lost\n:../lost\n:1\n:NONE\n:/\n:140616\n")
run_tolv(-game lost.gdf)
string(FIND "${err}" "Can't open game folder:\n${games}/lost\n" named)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Game Folder not found:\n" OR named EQUAL -1)
  message(FATAL_ERROR "tolv -game lost.gdf: exit ${rc}, said ${err}")
endif()
file(REMOVE ${games}/gdf/lost.gdf)
run_tolv(-warp 2 0 0 0 0)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Zone folder \"zone02\" not found")
  message(FATAL_ERROR "tolv -warp 2 0 0 0 0: exit ${rc}, said ${err}")
endif()

foreach(folder default gdf)
  run_tolv(-pack ${folder})
  if(NOT rc EQUAL 1 OR NOT err MATCHES "^Packing refused: ${folder} has no game.def" OR EXISTS ${games}/${folder}/game.tvp)
    message(FATAL_ERROR "tolv -pack ${folder}: exit ${rc}, said ${err}")
  endif()
endforeach()

# Without an audio device (here an ALSA set-up that has none): one line.
file(WRITE ${WORK}/no_sound.conf "")
set(run_tolv_env ${CMAKE_COMMAND} -E env SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH=${WORK}/no_sound.conf)
run_tolv()
set(run_tolv_env)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "Couldn't start mixer!\n")
  message(FATAL_ERROR "the sample game: exit ${rc}, complained ${err}")
endif()
file(REMOVE ${WORK}/no_sound.conf)
file(REMOVE_RECURSE ${games})
