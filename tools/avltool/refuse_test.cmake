# avltool upgrade of a script it cannot write as it reads (a generation-5
# gamma that is no number): exit 1 with the reason, and the file unchanged.
get_filename_component(folder ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${IN} ${OUT})
execute_process(COMMAND ${TOOL} upgrade ${OUT} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "not upgraded.*Slide 2 cannot be saved: its gamma \"FF\" is not a number")
  message(FATAL_ERROR "upgrade exited ${rc}: ${err}")
endif()
file(READ ${IN} before)
file(READ ${OUT} after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the refused file was changed:\n${after}")
endif()
