# yorvane_copy_data(TARGET FOLDER): before TARGET is built, puts every file of data/ into FOLDER,
# the folder of its executable, so that the executable runs from there as a portable program
# folder. The pictures and the help page follow their sources; the settings file with its first
# values is copied only when none is there, so building again never overwrites what the user
# saved.
set(YORVANE_DATA_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../data)
cmake_path(NORMAL_PATH YORVANE_DATA_SOURCE_DIR)
set(YORVANE_COPY_IF_ABSENT ${CMAKE_CURRENT_LIST_DIR}/copy-if-absent.cmake)

function(yorvane_copy_data target folder)
  file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${YORVANE_DATA_SOURCE_DIR}/*)
  list(FILTER files EXCLUDE REGEX "/yorvane\\.ini$")
  set(copies)
  foreach(f ${files})
    cmake_path(GET f FILENAME name)
    add_custom_command(OUTPUT ${folder}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${folder}/${name}
      DEPENDS ${f} VERBATIM)
    list(APPEND copies ${folder}/${name})
  endforeach()
  add_custom_target(${target}_data
    DEPENDS ${copies}
    COMMAND ${CMAKE_COMMAND} -DSRC=${YORVANE_DATA_SOURCE_DIR}/yorvane.ini
            -DDST=${folder}/yorvane.ini -P ${YORVANE_COPY_IF_ABSENT}
    VERBATIM)
  add_dependencies(${target} ${target}_data)
endfunction()
