# Makes each file of FILES (comma-separated triples: output below
# SOURCE, game folder below SOURCE, description in DESCRIPTIONS) with TOOL into WORK and
# compares it with the file in the tree; with UPDATE the tree's file is
# written instead. WRITE_TARGET names the build target that writes them.
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
  get_filename_component(ext ${out} EXT)
  if(UPDATE)
    set(target ${SOURCE}/${out})
  else()
    set(target ${WORK}/${name}${ext})
  endif()
  execute_process(COMMAND ${TOOL} ${target} ${SOURCE}/${folder} ${DESCRIPTIONS}/${description}
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${description}: exit ${rc}\n${err}")
  endif()
  if(NOT UPDATE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${target} ${SOURCE}/${out} RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      message(FATAL_ERROR "${out} is not what the writer makes from ${description}; "
                          "build the target ${WRITE_TARGET} to write it afresh")
    endif()
  endif()
endforeach()
