# Writes the command reference with TOOL into WORK and compares it with
# DOC; the tool itself fails when a command has no description.
execute_process(COMMAND ${TOOL} ${WORK}/commands.md RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_command_doc: exit ${rc}\n${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/commands.md ${DOC} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${DOC} is not what make_command_doc writes; build the target command_doc to write it afresh")
endif()
