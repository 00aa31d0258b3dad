# CPack runs this after staging the package's files: the programs under
# usr/bin lose their .comment sections (the compilers' version strings),
# which Debian's own strip step removes as well.
find_program(ORBELLE_OBJCOPY objcopy REQUIRED)
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT programs)
  message(FATAL_ERROR "strip-comments: no programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND ${ORBELLE_OBJCOPY} --remove-section=.comment "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip-comments: objcopy could not remove .comment from ${program}")
  endif()
endforeach()
