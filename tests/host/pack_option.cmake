# `tolv -pack NAME` run from a base folder: writes NAME/game.tvp, says
# what it packed (after its dots, nothing else: no game runs) and exits 0;
# a missing folder exits non-zero and writes nothing. Then the packed
# sample game runs from its archive alone.
function(expect_pack base name files)
  execute_process(COMMAND ${TOLV} -pack ${name} WORKING_DIRECTORY ${base} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${base}/${name}/game.tvp)
    message(FATAL_ERROR "tolv -pack ${name}: exit ${rc}, archive missing or not written")
  endif()
  file(SIZE ${base}/${name}/game.tvp bytes)
  if(NOT out MATCHES "^\\.+\nPacked ${files} files, ${bytes} bytes, into ${base}/${name}/game.tvp\n$")
    message(FATAL_ERROR "tolv -pack ${name}: said ${out}")
  endif()
  file(GLOB_RECURSE before LIST_DIRECTORIES true RELATIVE ${base} ${base}/*)
  execute_process(COMMAND ${TOLV} -pack missing WORKING_DIRECTORY ${base} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE ${base} ${base}/*)
  if(rc EQUAL 0 OR NOT before STREQUAL after)
    message(FATAL_ERROR "tolv -pack missing: exit ${rc}, folder now holds ${after}")
  endif()
endfunction()

set(base ${WORK}/pack_option)
file(REMOVE_RECURSE ${base})
file(MAKE_DIRECTORY ${base})
# Without the engine folder "default" below the working folder nothing runs.
execute_process(COMMAND ${TOLV} -pack demo WORKING_DIRECTORY ${base} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(rc EQUAL 0 OR NOT out MATCHES "Data files not found")
  message(FATAL_ERROR "tolv without default/: exit ${rc}, said ${out}")
endif()
file(MAKE_DIRECTORY ${base}/default)
file(COPY ${FIXTURES}/beta/ DESTINATION ${base}/demo)
expect_pack(${base} demo 4)
execute_process(COMMAND ${TOLV} -pack WORKING_DIRECTORY ${base} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "Command-line has uninterpretable errors")
  message(FATAL_ERROR "tolv -pack without a name: exit ${rc}, said ${err}")
endif()

file(MAKE_DIRECTORY ${base}/gdf)  # a game would run: the descriptors' folder is wanted too
execute_process(COMMAND ${TOLV} -nonsense WORKING_DIRECTORY ${base} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "Command-line has uninterpretable errors")
  message(FATAL_ERROR "tolv -nonsense: exit ${rc}, said ${err}")
endif()

# The engine folder, the sample and its descriptor from games/: pack the
# sample, hide its loose files, run it.
set(games ${base}/games)
file(COPY ${GAMES}/default ${GAMES}/sample DESTINATION ${games})
file(COPY ${GAMES}/gdf/default.gdf DESTINATION ${games}/gdf)
file(REMOVE ${games}/sample/game.tvp)
expect_pack(${games} sample 38)
file(GLOB loose ${games}/sample/*)
list(REMOVE_ITEM loose ${games}/sample/game.tvp)
file(REMOVE_RECURSE ${loose})
execute_process(COMMAND ${TOLV} WORKING_DIRECTORY ${games} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_QUIET)
if(NOT rc EQUAL 0 OR NOT out MATCHES "sample \\(game.tvp\\)" OR NOT out MATCHES "level started: zone 1 act 0 of 2")
  message(FATAL_ERROR "packed sample game: exit ${rc}, said ${out}")
endif()
file(REMOVE_RECURSE ${base})
