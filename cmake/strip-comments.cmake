# CPack runs this after staging the package's files: the programs under
# usr/bin lose their .comment sections (the compilers' version strings),
# which Debian's own strip step removes as well.
find_program(ORBELLE_OBJCOPY objcopy REQUIRED)
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
message(STATUS "strip-comments: staging ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: ${programs}")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${ORBELLE_OBJCOPY} --remove-section=.comment "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objcopy could not remove .comment from ${program}")
  endif()
endforeach()
if(NOT programs)
  message(FATAL_ERROR "strip-comments: no programs under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
