# Building again never overwrites the settings file the user saved, and a program folder
# without one gets the delivered file. Run with -DSCRIPT=copy-if-absent.cmake -DSRC=<delivered>
# -DWORK=<scratch folder>.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(dst "${WORK}/yorvane.ini")

execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDST=${dst} -P ${SCRIPT})
file(READ "${SRC}" delivered HEX)
file(READ "${dst}" copied HEX)
if(NOT copied STREQUAL delivered)
  message(FATAL_ERROR "the delivered settings file was not copied into an empty program folder")
endif()

file(WRITE "${dst}" "[SET]\nSHITEI=55\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDST=${dst} -P ${SCRIPT})
file(READ "${dst}" kept)
if(NOT kept STREQUAL "[SET]\nSHITEI=55\n")
  message(FATAL_ERROR "building again overwrote the saved settings file")
endif()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "settings file: copied when absent, kept when present")
