# Makes each sprite file of FILES (comma-separated triples: output below
# SOURCE, game folder below SOURCE, description in DESCRIPTIONS) with TOOL into WORK and
# compares it with the file in the tree; with UPDATE the tree's file is
# written instead.
file(MAKE_DIRECTORY ${WORK})
string(REPLACE "," ";" FILES "${FILES}")
list(LENGTH FILES n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 3)
  math(EXPR j "${i} + 1")
  math(EXPR k "${i} + 2")
  list(GET FILES ${i} out)
  list(GET FILES ${j} folder)
  list(GET FILES ${k} description)
  get_filename_component(name ${description} NAME_WE)
  if(UPDATE)
    set(target ${SOURCE}/${out})
  else()
    set(target ${WORK}/${name}.spr)
  endif()
  execute_process(COMMAND ${TOOL} ${target} ${SOURCE}/${folder} ${DESCRIPTIONS}/${description}
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "make_sprite_file ${description}: exit ${rc}\n${err}")
  endif()
  if(NOT UPDATE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${target} ${SOURCE}/${out} RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      message(FATAL_ERROR "${out} is not what the writer makes from ${description}; "
                          "build the target sprite_files to write it afresh")
    endif()
  endif()
endforeach()
