# Writes the manual page of a program from its --help, so that the two never
# disagree: cmake -DPROGRAM=... -DNAME=... -DSECTION=... -DSUMMARY=...
# -DVERSION=... [-DEXTRA=troff-file] -DOUTPUT=page -P ManPage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# Text in no-fill mode: backslashes and minus signs escaped, and no line
# taken for a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")

string(TOUPPER "${NAME}" title)
if(SECTION STREQUAL "6")
  set(manual "Games")
else()
  set(manual "User Commands")
endif()
set(page ".\\\" Made from ${NAME} --help when ocre is built.
.TH ${title} ${SECTION} \"\" \"ocre ${VERSION}\" \"${manual}\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}.fi
")
if(EXTRA)
  file(READ ${EXTRA} extra)
  string(APPEND page "${extra}")
endif()
file(WRITE ${OUTPUT} "${page}")
