# Compiles the help file: cmake -DSOURCE=<help dir> -DSTAGE=<scratch dir> -DOUTPUT=<chm> -P BuildHelp.cmake
#
# chmcmd writes each context number's topic as the project folder's absolute path plus the
# file name, while the topics themselves are stored under "/" plus their project path; so a
# context only finds its topic when the project folder is "/". We therefore name every
# file by its absolute path (without the leading slash) and hand chmcmd a project path
# that reads as "/QuorvaneHelp.hhp" but leads to the scratch folder: a link to a folder
# nested deep enough that the ".." steps climb back to the scratch folder on disk.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB topics ${SOURCE}/topics/*)
file(COPY ${topics} DESTINATION ${STAGE})
string(REGEX REPLACE "^/" "" HELP_ROOT "${STAGE}")
foreach(part hhp hhc hhk)
  configure_file(${SOURCE}/QuorvaneHelp.${part}.in ${STAGE}/QuorvaneHelp.${part} @ONLY)
endforeach()

string(REPLACE "/" ";" components "${HELP_ROOT}")
list(LENGTH components depth)
math(EXPR climb "${depth} + 1")
set(deep ${STAGE})
set(project_path ${HELP_ROOT}/up)
foreach(i RANGE 1 ${climb})
  set(deep ${deep}/d)
  string(APPEND project_path "/..")
endforeach()
file(MAKE_DIRECTORY ${deep})
file(CREATE_LINK ${deep} ${STAGE}/up SYMBOLIC)

find_program(CHMCMD chmcmd REQUIRED)
execute_process(COMMAND ${CHMCMD} --no-html-scan ${project_path}/QuorvaneHelp.hhp
  WORKING_DIRECTORY / RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log TIMEOUT 120)
if(failed OR log MATCHES "not found!|does not exist" OR NOT EXISTS ${STAGE}/QuorvaneHelp.chm)
  message(FATAL_ERROR "chmcmd could not compile the help:\n${log}")
endif()
file(COPY_FILE ${STAGE}/QuorvaneHelp.chm ${OUTPUT})
