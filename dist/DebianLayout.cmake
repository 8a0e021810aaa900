# Run by CPack on the staged Debian package before it is built: Debian keeps
# the programs of games in /usr/games. The engine library and the data are
# found relative to the executable, one folder below the prefix either way.
foreach(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" "${CPACK_TEMPORARY_DIRECTORY}")
  if(root AND EXISTS "${root}/usr/bin/hollowmere")
    file(MAKE_DIRECTORY "${root}/usr/games")
    file(RENAME "${root}/usr/bin/hollowmere" "${root}/usr/games/hollowmere")
    file(GLOB left "${root}/usr/bin/*")
    if(NOT left)
      file(REMOVE_RECURSE "${root}/usr/bin")
    endif()
    return()
  endif()
endforeach()
message(FATAL_ERROR "DebianLayout: no usr/bin/hollowmere in the staged package "
  "(${CPACK_TEMPORARY_INSTALL_DIRECTORY})")
