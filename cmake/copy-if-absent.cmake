# cmake -DSRC=... -DDST=... -P copy-if-absent.cmake: copies SRC to DST unless DST exists.
if(EXISTS "${SRC}" AND NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
