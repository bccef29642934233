# Compiles the help file: cmake -DSOURCE=<help dir> -DSTAGE=<scratch dir> -DOUTPUT=<chm> -P BuildHelp.cmake
#
# chmcmd stores each context number's topic as the project folder's absolute path plus the
# file name, while the topics themselves are stored under "/": a context only finds its
# topic when the project folder is "/". So chmcmd runs with the scratch folder as its root
# (a private mount namespace, where the system folders it needs to start are bound in);
# everything it reads and writes is then named from "/" and the contents and index come along.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB topics ${SOURCE}/topics/*)
file(COPY ${topics} DESTINATION ${STAGE})
foreach(part hhp hhc hhk)
  file(COPY_FILE ${SOURCE}/QuorvaneHelp.${part}.in ${STAGE}/QuorvaneHelp.${part})
endforeach()

find_program(CHMCMD chmcmd REQUIRED)
find_program(UNSHARE unshare REQUIRED)
file(REAL_PATH ${CHMCMD} chmcmd)
set(bind "")
foreach(dir usr lib lib64)
  if(EXISTS /${dir})
    file(MAKE_DIRECTORY ${STAGE}/${dir})
    string(APPEND bind "mount --rbind /${dir} '${STAGE}/${dir}' && ")
  endif()
endforeach()
execute_process(
  COMMAND ${UNSHARE} --map-root-user --mount sh -c "${bind}cd '${STAGE}' && chroot '${STAGE}' '${chmcmd}' --no-html-scan QuorvaneHelp.hhp"
  RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log TIMEOUT 120)
if(failed OR log MATCHES "not found!|does not exist" OR NOT EXISTS ${STAGE}/QuorvaneHelp.chm)
  message(FATAL_ERROR "chmcmd could not compile the help (it needs unshare with user namespaces):\n${log}")
endif()
file(COPY_FILE ${STAGE}/QuorvaneHelp.chm ${OUTPUT})
