# The layers of the program, kept apart by the build:
#
#   engine/  standard C++ only
#   files/   the engine and Qt Core
#   cli/     files/ and Qt Core: the command line runs before any window exists
#   ui/      files/ and Qt Widgets: the windows
#
# yorvane_check_layer(TARGET FORBIDS REGEX...) stops the configuration when TARGET links,
# directly or through any library it links, a library whose name matches one of the REGEX.
# yorvane_link_alone(NAME TARGET...) links every object of the static libraries TARGET with
# nothing but what they declare they need: an object that calls into a library they do not link
# (Qt Gui, say, reached through a header path) fails the build with an undefined reference.

# Every library `target` links, directly or transitively, into the variable `out`.
function(_yorvane_links target out)
  set(seen ${${out}})
  if(NOT TARGET ${target})
    set(${out} ${seen} PARENT_SCOPE)
    return()
  endif()
  get_target_property(aliased ${target} ALIASED_TARGET)
  if(aliased)
    set(target ${aliased})
  endif()
  get_target_property(type ${target} TYPE)
  get_target_property(imported ${target} IMPORTED)
  set(items "")
  if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND items ${direct})
    endif()
  endif()
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND items ${interface})
  endif()
  foreach(item IN LISTS items)
    # Generator expressions ($<LINK_ONLY:Qt6::Platform> ...) are read for the names they hold.
    string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)?" names "${item}")
    foreach(name IN LISTS names)
      if(TARGET ${name} AND NOT name IN_LIST seen)
        list(APPEND seen ${name})
        _yorvane_links(${name} seen)
      endif()
    endforeach()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(yorvane_check_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FORBIDS")
  set(links "")
  _yorvane_links(${target} links)
  foreach(link IN LISTS links)
    foreach(forbidden IN LISTS arg_FORBIDS)
      if(link MATCHES "${forbidden}")
        message(FATAL_ERROR "${target} links ${link}, which its layer may not use "
                            "(see cmake/YorvaneLayers.cmake)")
      endif()
    endforeach()
  endforeach()
endfunction()

function(yorvane_link_alone name)
  add_executable(${name} ${CMAKE_SOURCE_DIR}/cmake/link-alone.cpp)
  set(archives "")
  foreach(target IN LISTS ARGN)
    list(APPEND archives $<TARGET_FILE:${target}>)
  endforeach()
  target_link_libraries(${name} PRIVATE
    -Wl,--whole-archive ${archives} -Wl,--no-whole-archive ${ARGN})
endfunction()
