# cmake -DGENERATED=... -DCHECKED_IN=... -P SameFile.cmake: fails the build when a file kept
# in the repository no longer matches what the build generates.
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${GENERATED} ${CHECKED_IN} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${CHECKED_IN} is out of date: copy ${GENERATED} over it and commit it")
endif()
